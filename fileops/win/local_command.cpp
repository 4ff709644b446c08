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
#include "fileops/win/system_reason.h"

namespace {

const wchar_t* progressTitle(UINT function) {
    switch (function) {
    case FO_MOVE: return L"MOVE";
    case FO_COPY: return L"COPY";
    case FO_DELETE: return L"DELETE";
    default: return L"RENAME";
    }
}

std::wstring widened(const std::string& path) {
    const int size = static_cast<int>(path.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, path.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), size, wide.data(), length);
    return wide;
}

std::wstring longPath(const std::wstring& path) {
    const DWORD needed = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::wstring full(needed, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), full.data(), needed);
    if (length == 0 || length >= needed) return {};
    full.resize(length);
    return full;
}

// A path in its full spelling. A name the code page cannot hold reaches here
// as its short name; the shell must see the real one, or a copy would be
// named after the short one.
std::wstring shellPath(const std::string& path) {
    const std::wstring wide = widened(path);
    if (std::wstring full = longPath(wide); !full.empty()) return full;
    // Not there (yet): the directory it names or goes into is.
    const std::size_t cut = wide.find_last_of(L'\\');
    if (cut == std::wstring::npos || cut == 0) return wide;
    const std::wstring parent = longPath(wide.substr(0, cut));
    return parent.empty() ? wide : parent + wide.substr(cut);
}

// Every path NUL-terminated, one more NUL after the last; a path holding a
// NUL would end the list early, so it is left out.
std::wstring shellList(const std::vector<std::string>& paths) {
    std::wstring list;
    for (const std::string& path : paths) {
        if (path.empty() || path.find('\0') != std::string::npos) continue;
        list += shellPath(path);
        list += L'\0';
    }
    list += L'\0';
    return list;
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

ShellResult shellOperation(HWND owner, UINT function, const std::vector<std::string>& sources,
                           const std::vector<std::string>& destinations, bool allowUndo) {
    if (sources.empty()) return {true, false, 0};
    if (shellRefuses(sources)) return {false, false, ERROR_INVALID_PARAMETER};
    const std::wstring from = shellList(sources);
    const std::wstring to = shellList(destinations);
    SHFILEOPSTRUCTW op{};
    op.hwnd = owner;
    op.wFunc = function;
    op.pFrom = from.c_str();
    op.pTo = destinations.empty() ? nullptr : to.c_str();
    // The caller tells every failure in words of its own; the shell's
    // confirmations still ask.
    op.fFlags = static_cast<FILEOP_FLAGS>((allowUndo ? FOF_ALLOWUNDO : 0) | FOF_NOERRORUI |
                                          (destinations.size() > 1 ? FOF_MULTIDESTFILES : 0));
    op.lpszProgressTitle = progressTitle(function);
    const int code = SHFileOperationW(&op);
    // A "No" to a confirmation or a Cancel is the user's choice, not a failure.
    const bool cancelled = code == ERROR_CANCELLED || code == 0x75 || (code == 0 && op.fAnyOperationsAborted);
    return {code == 0 && !op.fAnyOperationsAborted, cancelled, static_cast<unsigned long>(code)};
}

CLocalCommand::CLocalCommand(HWND owner, LocalCommandHooks hooks)
    : CCommand(owner), hooks_(std::move(hooks)) {}

int CLocalCommand::ask(int number) {
    if (hooks_.ask) return hooks_.ask(owner, number);
    return showMessage(owner, number);
}

bool CLocalCommand::fail(int number, const std::vector<std::string>& arguments) {
    if (hooks_.report) {
        hooks_.report(owner, number, arguments);
    } else {
        std::vector<FormatArg> list(arguments.begin(), arguments.end());
        showMessageWith(owner, number, list);
    }
    return false;
}

bool CLocalCommand::failIfShellFailed(int number, const ShellResult& result,
                                      const std::string& subject) {
    if (result.ok) return true;
    if (!result.cancelled) fail(number, {subject, systemReason(result.code)});
    return false;
}

// A wildcard in a destination would let the shell pick the names.
bool CLocalCommand::refusedWildcard(const std::string& destination) {
    if (destination.find_first_of("*?") == std::string::npos) return false;
    fail(MessageWildcardDestination, {destination});
    return true;
}

// A destination ending in "\" names a directory: it is made, and the shell
// gets it without the separator, which it would take for part of a file name.
// Any other destination goes into a directory that is made when missing, as
// the shell does on some systems: where it cannot be made, some shells answer
// as if the user had cancelled, and the failure would go untold.
bool CLocalCommand::prepareDestination(std::string& destination) {
    if (endsWithSeparator(destination) && destination.size() > 3) {
        if (!makeDirectories(destination))
            return fail(MessageMakeDirectoryFailed, {destination, systemReason(GetLastError())});
        while (endsWithSeparator(destination) && destination.size() > 3) destination.pop_back();
        return true;
    }
    if (isDirectory(destination)) return true;
    const std::size_t cut = sjis::findLastChar(destination, '\\');
    if (cut == std::string::npos || cut == 0) return true;
    const std::string parent = destination.substr(0, cut == 2 && destination[1] == ':' ? 3 : cut);
    if (isDirectory(parent) || makeDirectories(parent)) return true;
    return fail(MessageMakeDirectoryFailed, {parent, systemReason(GetLastError())});
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

// Why a file cannot be read now, for the message of a copy that left it behind.
unsigned long readFailure(const std::string& path) {
    FileHandle file{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr)};
    return file ? ERROR_READ_FAULT : GetLastError();
}

// A rename the file system might take for no change at all: first to a
// free name beside it, then to the new one, and back when that fails.
bool renameThroughFreeName(const std::string& oldPath, const std::string& newPath) {
    std::string step;
    for (int n = 0; n < 100 && step.empty(); ++n) {
        std::string candidate = oldPath + ".~" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(n);
        if (attributesOf(candidate) == INVALID_FILE_ATTRIBUTES) step = candidate;
    }
    if (step.empty() || !MoveFileA(oldPath.c_str(), step.c_str())) return false;
    if (MoveFileA(step.c_str(), newPath.c_str())) return true;
    const DWORD reason = GetLastError();
    MoveFileA(step.c_str(), oldPath.c_str());
    SetLastError(reason);
    return false;
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

bool CLocalCommand::shellCopy(const std::vector<std::string>& sources, std::string destination) {
    if (!prepareDestination(destination)) return false;
    const PathProbe probe{isDirectory, isFile, makeDirectories};
    const std::vector<std::string> prepared =
        prepareShellCopy(currentPlatform(), sources, destination, probe);
    if (!failIfShellFailed(MessageCopyFailed,
                           shellOperation(owner, FO_COPY, prepared, {destination}, true),
                           sources.front()))
        return false;
    // Some shells report a file they could not read, one another process
    // holds without sharing, as copied.
    const bool intoDirectory = isDirectory(destination);
    for (const std::string& source : sources) {
        if (!isFile(source)) continue;
        const std::string target = intoDirectory ? joinPath(destination, lastName(source)) : destination;
        if (!fileArrived(source, target))
            return fail(MessageCopyFailed, {source, systemReason(readFailure(source))});
    }
    return true;
}

bool CLocalCommand::shellMove(const std::vector<std::string>& sources, std::string destination) {
    if (!prepareDestination(destination)) return false;
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
        if (sameObject(source, target)) return fail(MessageSamePlace, {source});
        (attributesOf(target) == INVALID_FILE_ATTRIBUTES ? free : colliding).push_back(source);
    }
    if (!free.empty()) {
        // Some shells refuse to move several plain files into one directory
        // as if the user had cancelled; one target per source they all take.
        std::vector<std::string> targets;
        for (const std::string& source : free) targets.push_back(targetOf(source));
        if (!failIfShellFailed(MessageMoveFailed,
                               shellOperation(owner, FO_MOVE, free, targets, true), free.front()))
            return false;
        // Such a move passes over a missing source without a word.
        for (std::size_t i = 0; i < targets.size(); ++i)
            if (attributesOf(targets[i]) == INVALID_FILE_ATTRIBUTES)
                return fail(MessageMoveFailed, {free[i], systemReason(ERROR_FILE_NOT_FOUND)});
    }
    if (colliding.empty()) return true;
    // The shell moves onto an existing name without asking, losing what stood
    // there. A copy asks about every overwrite; then only the files that
    // really arrived go. A directory merged into one that stood there keeps
    // its source: which of its files the user kept is not known.
    if (!failIfShellFailed(MessageMoveFailed,
                           shellOperation(owner, FO_COPY, colliding, {destination}, true),
                           colliding.front()))
        return false;
    std::vector<std::string> arrived;
    for (const std::string& source : colliding)
        if (isFile(source) && fileArrived(source, targetOf(source))) arrived.push_back(source);
    if (!deleteQuietly(arrived))
        return fail(MessageMoveFailed, {arrived.front(), systemReason(GetLastError())});
    return arrived.size() == colliding.size();
}

bool CLocalCommand::Copy(const std::vector<std::string>& sources, const std::string& destination) {
    if (isArchivePath(destination)) {
        ask(MessageInsideArchive);
        return true;
    }
    // FTP destinations belong to the FTP command class.
    if (sources.empty() || isFtpPath(destination)) return false;
    if (refusedWildcard(destination)) return false;
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
    if (refusedWildcard(destination)) return false;
    return shellMove(sources, destination);
}

bool CLocalCommand::Delete(const std::vector<std::string>& sources, bool toRecycleBin) {
    if (!sources.empty() && isArchivePath(sources.front())) {
        ask(MessageInsideArchive);
        return true;
    }
    if (sources.empty()) return true;
    if (shellRefuses(sources)) return false;
    return failIfShellFailed(MessageDeleteFailed,
                             shellOperation(owner, FO_DELETE, sources, {}, toRecycleBin),
                             sources.front());
}

bool CLocalCommand::Rename(const std::string& oldPath, const std::string& newPath) {
    if (isArchivePath(oldPath) || isArchivePath(newPath)) {
        ask(MessageInsideArchive);
        return true;
    }
    if (newPath.find_first_of("*?") != std::string::npos)
        return fail(MessageRenameFailed, {oldPath, newPath, systemReason(ERROR_INVALID_NAME)});
    if (sameObject(oldPath, newPath)) {
        if (oldPath == newPath) return true;
        // Only the case or the spelling differs; the file system may take the
        // new name for the old one, so the rename goes by a name of its own.
        return renameThroughFreeName(oldPath, newPath) ||
               fail(MessageRenameFailed, {oldPath, newPath, systemReason(GetLastError())});
    }
    if (attributesOf(newPath) != INVALID_FILE_ATTRIBUTES)
        return fail(MessageRenameFailed, {oldPath, newPath, systemReason(ERROR_ALREADY_EXISTS)});
    const ShellResult result = shellOperation(owner, FO_RENAME, {oldPath}, {newPath}, true);
    if (!result.ok && !result.cancelled)
        fail(MessageRenameFailed, {oldPath, newPath, systemReason(result.code)});
    return result.ok;
}

bool CLocalCommand::MakeDirectory(const std::string& path) {
    if (isArchivePath(path)) {
        ask(MessageInsideArchive);
        return true;
    }
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    return fail(MessageMakeDirectoryFailed, {path, systemReason(GetLastError())});
}

bool CLocalCommand::CreateEmptyFile(const std::string& path) {
    if (isArchivePath(path)) {
        ask(MessageInsideArchive);
        return true;
    }
    if (path.empty()) return false;
    if (path.find_first_of("*?") != std::string::npos)
        return fail(MessageCreateFileFailed, {path, systemReason(ERROR_INVALID_NAME)});
    FileHandle existing{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (existing) return true;
    // CREATE_NEW: a file that exists but would not open for reading is never emptied.
    FileHandle created{CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (created) return true;
    return fail(MessageCreateFileFailed, {path, systemReason(GetLastError())});
}

bool CLocalCommand::Execute(const std::string& file, const std::string& parameters) {
    // What lies in an archive runs from a copy extracted to the work directory.
    std::string program = file, arguments = parameters;
    for (std::string* path : {&program, &arguments}) {
        if (!isArchivePath(*path)) continue;
        if (!hooks_.extractEntry) return false;
        *path = hooks_.extractEntry(*path);
        if (path->empty()) return false;
    }
    // With an owner window every start goes through the shell, so documents
    // open in their programs as well.
    if (startRequest(owner, executeRequest(program, arguments, owner != nullptr, {}))) return true;
    return fail(MessageStartFailed, {program, systemReason(GetLastError())});
}

bool CLocalCommand::Open(const std::string& file, const std::string& parameters, int waitMode) {
    WaitMode wait = waitMode == 1 ? WaitMode::UntilEnded
                    : waitMode == 2 ? WaitMode::UntilIdle
                                    : WaitMode::None;
    if (startRequest(owner, openRequest(file, parameters, wait, {}))) return true;
    return fail(MessageStartFailed, {file, systemReason(GetLastError())});
}
