#include "app/win/directory_watcher.h"

#include "base/path.h"

namespace {
constexpr DWORD ChangeFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                               FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_LAST_WRITE;
constexpr DWORD PollMs = 500;

bool exists(const std::string& directory) {
    return GetFileAttributesA(directory.c_str()) != INVALID_FILE_ATTRIBUTES;
}
}  // namespace

DirectoryWatcher::DirectoryWatcher(std::function<std::string()> currentDirectory,
                                   std::atomic<bool>& refreshRequested)
    : currentDirectory_(std::move(currentDirectory)), refreshRequested_(refreshRequested) {}

DirectoryWatcher::~DirectoryWatcher() { stop(); }

void DirectoryWatcher::start() {
    if (thread_) return;
    stop_ = false;
    thread_.reset(CreateThread(nullptr, 0, threadMain, this, CREATE_SUSPENDED, nullptr));
    if (!thread_) return;
    SetThreadPriority(thread_.get(), THREAD_PRIORITY_IDLE);
    ResumeThread(thread_.get());
}

void DirectoryWatcher::directoryChanged() { SetEvent(wake_.get()); }

void DirectoryWatcher::stop() {
    if (!thread_) return;
    stop_ = true;
    SetEvent(wake_.get());
    // The thread looks at the flag at least every poll interval.
    WaitForSingleObject(thread_.get(), 5000 + PollMs);
    thread_.reset();
}

DWORD WINAPI DirectoryWatcher::threadMain(void* self) {
    static_cast<DirectoryWatcher*>(self)->run();
    return 0;
}

std::string DirectoryWatcher::watchedDirectory() const {
    std::string directory = currentDirectory_();
    if (!directory.empty() && directory.back() != '/' && directory.back() != '>' &&
        directory.back() != '\\')
        directory += '\\';
    return directory;
}

void DirectoryWatcher::run() {
    std::string reportedGone;
    while (!stop_) {
        std::string directory = watchedDirectory();
        // FTP, network and archive listings have nothing to watch here.
        if (isFtpPath(directory) || isArchivePath(directory) || directory.starts_with("//")) {
            WaitForSingleObject(wake_.get(), PollMs);
            continue;
        }
        ChangeHandle change{FindFirstChangeNotificationA(directory.c_str(), FALSE, ChangeFilter)};
        if (!change) {
            // A directory removed from outside gets one refresh, which moves
            // the window away; not one per poll while it stays gone.
            if (directory != reportedGone && !exists(directory)) {
                reportedGone = directory;
                refreshRequested_ = true;
            }
            WaitForSingleObject(wake_.get(), PollMs);
            continue;
        }
        reportedGone.clear();
        while (!stop_ && watchedDirectory() == directory) {
            HANDLE waits[] = {change.get(), wake_.get()};
            const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, PollMs);
            // The removal of the watched directory itself need not fire.
            if (woke == WAIT_TIMEOUT && !exists(directory)) break;
            if (woke != WAIT_OBJECT_0) continue;
            refreshRequested_ = true;
            if (!FindNextChangeNotification(change.get())) break;
            // Bursts of changes cost one refresh, not one each.
            Sleep(PollMs);
        }
    }
}
