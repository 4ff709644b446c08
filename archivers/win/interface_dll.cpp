#include "archivers/win/interface_dll.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <set>

#include "archivers/core/archive_handle.h"
#include "archivers/core/command_line.h"
#include "archivers/core/disk.h"
#include "archivers/core/error_code.h"
#include "archivers/win/ansi_codec.h"

namespace arcdll {
namespace {

std::atomic<int> g_running {0};

const AnsiCodec& codec() {
    static const AnsiCodec c;
    return c;
}

// Open archives by handle, so a stale or foreign handle is refused, not followed.
std::mutex g_lock;
std::set<arc::ArchiveHandle*>& handles() {
    static std::set<arc::ArchiveHandle*> h;
    return h;
}

arc::ArchiveHandle* lookup(HARC archive) {
    std::lock_guard<std::mutex> guard(g_lock);
    auto* h = static_cast<arc::ArchiveHandle*>(archive);
    return handles().count(h) ? h : nullptr;
}

arc::StdioDisk currentDirectory() { return arc::StdioDisk("", nullptr, nullptr); }

}  // namespace

int command(arc::Library library, LPCSTR line, LPSTR output, DWORD outputSize) {
    if (!line) return arc::kErrorCommandName;
    RunningMark mark;
    auto disk = currentDirectory();
    std::string text;
    int code = arc::runCommand(library, line, disk, codec(), text, outputSize);
    arc::copyToBuffer(text, output, outputSize);
    return code;
}

HARC openArchive(arc::Format format, LPCSTR path) {
    if (!path) return nullptr;
    auto h = arc::ArchiveHandle::open(format, arc::FileSource::open(path), codec());
    if (!h) return nullptr;
    std::lock_guard<std::mutex> guard(g_lock);
    auto* raw = h.release();
    handles().insert(raw);
    return raw;
}

int closeArchive(HARC archive) {
    std::unique_ptr<arc::ArchiveHandle> owned;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        auto* h = static_cast<arc::ArchiveHandle*>(archive);
        if (!handles().erase(h)) return arc::kErrorHarcIsNotOpened;
        owned.reset(h);
    }
    return 0;
}

int findFirst(HARC archive, LPCSTR pattern, arc::IndividualInfo* info) {
    arc::ArchiveHandle* h = lookup(archive);
    if (!h || !info) return -1;
    RunningMark mark;
    return h->findFirst(pattern ? pattern : "*", *info);
}

int findNext(HARC archive, arc::IndividualInfo* info) {
    arc::ArchiveHandle* h = lookup(archive);
    if (!h || !info) return -1;
    RunningMark mark;
    return h->findNext(*info);
}

BOOL running() { return g_running.load() > 0; }

RunningMark::RunningMark() { ++g_running; }
RunningMark::~RunningMark() { --g_running; }

BOOL checkArchive(arc::Format format, LPCSTR path) {
    if (!path) return FALSE;
    auto source = arc::FileSource::open(path);
    if (!source) return FALSE;
    auto reader = arc::makeReader(format, *source, codec());
    arc::Member m;
    int count = 0;
    while (reader->next(m)) ++count;
    return reader->error() == 0 && count > 0;
}

}  // namespace arcdll
