// CAB32.DLL: cabinets through the platform's FDI and FCI behind the common
// archiver interface. "-x" extracts, "-a" packs (with "-r" into folders),
// "-l" lists; "-o" lets extraction replace files.
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <set>

#include "archivers/cab32/win/cab_reader.h"
#include "archivers/cab32/win/cab_writer.h"
#include "archivers/core/archive_handle.h"
#include "archivers/core/command_line.h"
#include "archivers/core/error_code.h"
#include "archivers/core/listing_text.h"
#include "archivers/core/member_path.h"
#include "archivers/core/pack_run.h"
#include "archivers/win/interface_dll.h"

namespace {


struct CabHandle {
    std::vector<arc::Member> members;
    std::size_t next = 0;
    std::string pattern;
};

std::mutex g_lock;
std::set<CabHandle*> g_handles;

CabHandle* lookup(HANDLE h) {
    std::lock_guard<std::mutex> guard(g_lock);
    auto* p = static_cast<CabHandle*>(h);
    return g_handles.count(p) ? p : nullptr;
}

int findFrom(CabHandle& h, arc::IndividualInfo* info) {
    while (h.next < h.members.size()) {
        const arc::Member& m = h.members[h.next++];
        if (!h.pattern.empty() && !arc::wildcardMatch(h.pattern, m.name) && !arc::memberSelected(m.name, h.pattern))
            continue;
        arc::fillInfo(m, *info);
        return 0;
    }
    return -1;
}

int run(const std::string& line, std::string& output, std::size_t limit) {
    arc::CommandLine cl = arc::parseCommandLine(line, {});
    if (cl.archive.empty()) return arc::kErrorCommandName;
    arc::StdioDisk disk("", nullptr, nullptr);
    if (cl.hasOption("a")) {
        if (disk.exists(cl.archive)) {
            output = "archive exists: " + cl.archive + "\n";
            return arc::kErrorAlreadyExist;
        }
        arc::PackOptions options;
        options.names = cl.names.empty() ? std::vector<std::string>{"*"} : cl.names;
        options.recursive = cl.hasOption("r");
        options.archive = arc::forwardSlashes(cl.archive);
        cab::CabWriter writer(cl.archive);
        arc::PackResult r = arc::packFiles(writer, disk, options, output);
        if (r.code == arc::kOk && r.packed == 0) r.code = arc::kErrorNotExist;
        return r.code;
    }
    if (cl.hasOption("l") || cl.hasOption("v")) {
        std::vector<arc::Member> members;
        if (!cab::listCabinet(cl.archive, members)) return arc::kErrorNotArcFile;
        output = arc::listingText(members, limit);
        return arc::kOk;
    }
    arc::ExtractOptions options;
    options.names = cl.names;
    options.overwrite = cl.hasOption("o");
    return cab::extractCabinet(cl.archive, disk, options, output).code;
}

}  // namespace

extern "C" {

int WINAPI Cab(HWND, LPCSTR line, LPSTR output, DWORD size) {
    if (!line) return arc::kErrorCommandName;
    arcdll::RunningMark mark;
    std::string text;
    int code = run(line, text, size);
    arc::copyToBuffer(text, output, size);
    return code;
}

WORD WINAPI CabGetVersion() { return arcdll::kVersion; }
BOOL WINAPI CabGetRunning() { return arcdll::running(); }

BOOL WINAPI CabCheckArchive(LPCSTR path, int) {
    std::vector<arc::Member> members;
    return path && cab::listCabinet(path, members) && !members.empty();
}

HANDLE WINAPI CabOpenArchive(HWND, LPCSTR path, DWORD) {
    if (!path) return nullptr;
    auto h = std::make_unique<CabHandle>();
    if (!cab::listCabinet(path, h->members)) return nullptr;
    std::lock_guard<std::mutex> guard(g_lock);
    g_handles.insert(h.get());
    return h.release();
}

int WINAPI CabCloseArchive(HANDLE archive) {
    std::lock_guard<std::mutex> guard(g_lock);
    auto* h = static_cast<CabHandle*>(archive);
    if (!g_handles.erase(h)) return arc::kErrorHarcIsNotOpened;
    delete h;
    return 0;
}

int WINAPI CabFindFirst(HANDLE archive, LPCSTR pattern, arc::IndividualInfo* info) {
    CabHandle* h = lookup(archive);
    if (!h || !info) return -1;
    std::string p = pattern ? pattern : "";
    h->pattern = (p == "*" || p == "*.*") ? "" : p;
    h->next = 0;
    return findFrom(*h, info);
}

int WINAPI CabFindNext(HANDLE archive, arc::IndividualInfo* info) {
    CabHandle* h = lookup(archive);
    if (!h || !info) return -1;
    return findFrom(*h, info);
}

}  // extern "C"
