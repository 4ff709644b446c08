#include "fileops/win/local_command.h"

#include <shellapi.h>

#include "services/message_numbers.h"
#include "services/win/message_box.h"
#include "base/path.h"
#include "base/sjis.h"
#include "base/win/file_kind.h"
#include "base/win/handle.h"
#include "fileops/command_paths.h"
#include "fileops/win/program_start.h"

namespace {

const char* progressTitle(UINT function) {
    switch (function) {
    case FO_MOVE: return "MOVE";
    case FO_COPY: return "COPY";
    case FO_DELETE: return "DELETE";
    default: return "RENAME";
    }
}

// A trail byte 0x5C is no separator.
bool endsWithSeparator(const std::string& path) {
    return !path.empty() && sjis::findLastChar(path, '\\') == path.size() - 1;
}

DWORD attributesOf(const std::string& path) { return GetFileAttributesA(path.c_str()); }

bool makeDirectories(const std::string& path) {
    if (path.empty()) return false;
    if (isDirectory(path)) return true;
    std::string parent = path;
    while (endsWithSeparator(parent) && parent.size() > 3) parent.pop_back();
    std::size_t cut = sjis::findLastChar(parent, '\\');
    if (cut != std::string::npos && cut > 0 && parent[cut - 1] != ':' && parent[cut - 1] != '\\') {
        makeDirectories(parent.substr(0, cut));
    }
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

bool runShellOperation(HWND owner, UINT function, const std::vector<std::string>& sources,
                       const std::string& destination, bool allowUndo) {
    return runShellOperation(owner, function, sources,
                             destination.empty() ? std::vector<std::string>{}
                                                 : std::vector<std::string>{destination},
                             allowUndo);
}

bool runShellOperation(HWND owner, UINT function, const std::vector<std::string>& sources,
                       const std::vector<std::string>& destinations, bool allowUndo) {
    if (sources.empty()) return true;
    if (shellRefuses(sources)) return false;
    const std::string from = doubleNulList(sources);
    const std::string to = doubleNulList(destinations);
    SHFILEOPSTRUCTA op{};
    op.hwnd = owner;
    op.wFunc = function;
    op.pFrom = from.c_str();
    op.pTo = destinations.empty() ? nullptr : to.c_str();
    op.fFlags = static_cast<FILEOP_FLAGS>((allowUndo ? FOF_ALLOWUNDO : 0) |
                                          (destinations.size() > 1 ? FOF_MULTIDESTFILES : 0));
    op.lpszProgressTitle = progressTitle(function);
    return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
}

CLocalCommand::CLocalCommand(HWND owner, LocalCommandHooks hooks)
    : CCommand(owner), hooks_(std::move(hooks)) {}

int CLocalCommand::ask(int number) {
    if (hooks_.ask) return hooks_.ask(owner, number);
    return showMessage(owner, number);
}

namespace {

std::string lastName(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && endsWithSeparator(trimmed)) trimmed.pop_back();
    std::size_t cut = sjis::findLastChar(trimmed, '\\');
    return cut == std::string::npos ? trimmed : trimmed.substr(cut + 1);
}

}  // namespace

namespace {
// The same file or directory under any spelling: a short name, ".", another
// drive letter mapped onto the same place.
bool sameObject(const std::string& a, const std::string& b) {
    auto identify = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
        FileHandle handle{CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
        return handle && GetFileInformationByHandle(handle.get(), &info);
    };
    BY_HANDLE_FILE_INFORMATION x{}, y{};
    if (!identify(a, x) || !identify(b, y)) return lstrcmpiA(a.c_str(), b.c_str()) == 0;
    return x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
           x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

// A file arrived when the target, a file of its own, has its size and its
// time: the shell's copy keeps the last-write time, while a file the user
// chose to keep has its own.
bool fileArrived(const std::string& source, const std::string& target) {
    WIN32_FILE_ATTRIBUTE_DATA a{}, b{};
    if (!GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &a) ||
        !GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &b))
        return false;
    if (sameObject(source, target)) return false;
    return a.nFileSizeLow == b.nFileSizeLow && a.nFileSizeHigh == b.nFileSizeHigh &&
           CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

bool deleteQuietly(const std::vector<std::string>& paths) {
    if (paths.empty()) return true;
    const std::string from = doubleNulList(paths);
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
}
}  // namespace

bool CLocalCommand::shellCopy(const std::vector<std::string>& sources,
                              const std::string& destination) {
    const PathProbe probe{isDirectory, isFile, makeDirectories};
    const std::vector<std::string> prepared =
        prepareShellCopy(currentPlatform(), sources, destination, probe);
    return runShellOperation(owner, FO_COPY, prepared, destination, true);
}

bool CLocalCommand::shellMove(const std::vector<std::string>& sources,
                              const std::string& destination) {
    // Several sources go into the destination as entries of their own: the
    // contents of two directories merged into one new one could meet on the
    // same name, and a move overwrites without asking.
    if (sources.size() > 1 && attributesOf(destination) == INVALID_FILE_ATTRIBUTES)
        makeDirectories(destination);
    const bool intoDirectory = isDirectory(destination);
    auto targetOf = [&](const std::string& source) {
        return intoDirectory ? joinPath(destination, lastName(source)) : destination;
    };
    std::vector<std::string> free, colliding;
    for (const std::string& source : sources) {
        const std::string target = targetOf(source);
        // Onto itself a copy and a delete would take the only file.
        if (sameObject(source, target)) return false;
        (attributesOf(target) == INVALID_FILE_ATTRIBUTES ? free : colliding).push_back(source);
    }
    bool moved = true;
    if (free.size() == 1) {
        moved = runShellOperation(owner, FO_MOVE, free, targetOf(free.front()), true);
    } else if (!free.empty()) {
        // Some shells refuse to move several plain files into one directory
        // as if the user had cancelled; one target per source they all take.
        std::vector<std::string> targets;
        for (const std::string& source : free) targets.push_back(targetOf(source));
        moved = runShellOperation(owner, FO_MOVE, free, targets, true);
        // Such a move passes over a missing source without a word.
        for (const std::string& target : targets)
            moved = moved && attributesOf(target) != INVALID_FILE_ATTRIBUTES;
    }
    if (colliding.empty() || !moved) return moved;
    // The shell moves onto an existing name without asking, losing what stood
    // there. A copy asks about every overwrite; then only the files that
    // really arrived go. A directory merged into one that stood there keeps
    // its source: which of its files the user kept is not known.
    if (!runShellOperation(owner, FO_COPY, colliding, destination, true)) return false;
    std::vector<std::string> arrived;
    for (const std::string& source : colliding)
        if (isFile(source) && fileArrived(source, targetOf(source))) arrived.push_back(source);
    return deleteQuietly(arrived) && arrived.size() == colliding.size();
}

bool CLocalCommand::Copy(const std::vector<std::string>& sources, const std::string& destination) {
    if (isArchivePath(destination)) {
        ask(MessageInsideArchive);
        return true;
    }
    // FTP destinations belong to the FTP command class.
    if (sources.empty() || isFtpPath(destination)) return false;
    if (isArchivePath(sources.front())) {
        if (!isYes(ask(MessageExtractFromArchive))) return true;
        if (!hooks_.extract) return false;
        return hooks_.extract(sources, destination) == static_cast<int>(sources.size());
    }
    return shellCopy(sources, destination);
}

bool CLocalCommand::Move(const std::vector<std::string>& sources, const std::string& destination) {
    // A move into an archive would lose the files: it is refused like one out of it.
    if ((!sources.empty() && isArchivePath(sources.front())) || isArchivePath(destination)) {
        ask(MessageInsideArchive);
        return true;
    }
    if (sources.empty() || isFtpPath(destination)) return false;
    return shellMove(sources, destination);
}

bool CLocalCommand::Delete(const std::vector<std::string>& sources, bool toRecycleBin) {
    if (!sources.empty() && isArchivePath(sources.front())) {
        ask(MessageInsideArchive);
        return true;
    }
    return runShellOperation(owner, FO_DELETE, sources, std::string(), toRecycleBin);
}

bool CLocalCommand::Rename(const std::string& oldPath, const std::string& newPath) {
    if (isArchivePath(oldPath) || isArchivePath(newPath)) {
        ask(MessageInsideArchive);
        return true;
    }
    return runShellOperation(owner, FO_RENAME, {oldPath}, newPath, true);
}

bool CLocalCommand::MakeDirectory(const std::string& path) {
    if (isArchivePath(path)) {
        ask(MessageInsideArchive);
        return true;
    }
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool CLocalCommand::CreateEmptyFile(const std::string& path) {
    if (isArchivePath(path)) {
        ask(MessageInsideArchive);
        return true;
    }
    if (path.empty()) return false;
    FileHandle existing{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (existing) return true;
    // CREATE_NEW: a file that exists but would not open for reading is never emptied.
    FileHandle created{CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr)};
    return static_cast<bool>(created);
}

bool CLocalCommand::Execute(const std::string& file, const std::string& parameters) {
    // Running a file out of an archive needs the extraction first, which is not here yet.
    if (isArchivePath(file) || isArchivePath(parameters)) return false;
    // With an owner window every start goes through the shell, so documents
    // open in their programs as well.
    return startRequest(owner, executeRequest(file, parameters, owner != nullptr, {}));
}

bool CLocalCommand::Open(const std::string& file, const std::string& parameters, int waitMode) {
    WaitMode wait = waitMode == 1 ? WaitMode::UntilEnded
                    : waitMode == 2 ? WaitMode::UntilIdle
                                    : WaitMode::None;
    return startRequest(owner, openRequest(file, parameters, wait, {}));
}
