#include "app/win/ftp_edit_watch.h"

#include <shellapi.h>

#include "app/win/ftp_command.h"
#include "ftp/ftp_path.h"
#include "services/messages.h"
#include "services/win/message_box.h"

bool EditWatchJob::ReadLocalState(FILETIME& written) const {
    WIN32_FILE_ATTRIBUTE_DATA d{};
    if (!GetFileAttributesExA(localPath_.c_str(), GetFileExInfoStandard, &d)) return false;
    written = d.ftLastWriteTime;
    return true;
}

bool EditWatchJob::OpenAndWait() {
    HANDLE process = nullptr;
    if (program_.empty()) {
        SHELLEXECUTEINFOA info{sizeof info};
        info.fMask = SEE_MASK_NOCLOSEPROCESS;
        info.lpVerb = "open";
        info.lpFile = localPath_.c_str();
        info.nShow = SW_SHOWNORMAL;
        if (!ShellExecuteExA(&info)) return false;
        process = info.hProcess;
    } else {
        std::string line = "\"" + program_ + "\" \"" + localPath_ + "\"";
        STARTUPINFOA si{sizeof si};
        PROCESS_INFORMATION pi{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return false;
        CloseHandle(pi.hThread);
        process = pi.hProcess;
    }
    if (process) {
        while (KeepRunning() && WaitForSingleObject(process, 200) == WAIT_TIMEOUT) {
        }
        CloseHandle(process);
    }
    return true;
}

void EditWatchJob::PutBack() {
    FILETIME now{};
    if (!ReadLocalState(now) || CompareFileTime(&now, &opened_) == 0) return;
    auto parsed = ftp::parseFtpPath(remotePath_);
    bool ok = false;
    if (parsed) {
        // The browsing session when it is on that host, else one of our own.
        SessionChoice choice(browsing_, profile_, remotePath_);
        if (choice.get()) ok = choice.get()->PutFile(localPath_, parsed->path, nullptr);
    }
    if (!ok) showMessage(nullptr, 2010, localPath_);
}

bool EditWatchJob::Step() {
    if (ReadLocalState(opened_) && OpenAndWait()) PutBack();
    PostMessageA(owner_, MsgEditWatchBack, 0, reinterpret_cast<LPARAM>(this));
    return false;
}

bool EditWatchList::has(const std::string& program, const std::string& local, const std::string& remote) const {
    for (const auto& j : jobs_)
        if (j->program() == program && j->localPath() == local && j->remotePath() == remote) return true;
    return false;
}

bool EditWatchList::add(std::unique_ptr<EditWatchJob> job) {
    if (!job->Start()) return false;
    jobs_.push_back(std::move(job));
    jobs_.back()->Resume();
    return true;
}

void EditWatchList::ended(EditWatchJob* job) {
    for (auto it = jobs_.begin(); it != jobs_.end(); ++it) {
        if (it->get() != job) continue;
        const std::string local = job->localPath();
        jobs_.erase(it);  // waits for the thread's last step
        DWORD a = GetFileAttributesA(local.c_str());
        if (a != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(local.c_str(), a | FILE_ATTRIBUTE_READONLY);
        return;
    }
}

void EditWatchList::stopAll() { jobs_.clear(); }
