#include "fileops/win/local_command.h"

#include <shellapi.h>

#include "app/win/message_box.h"
#include "base/path.h"
#include "base/sjis.h"
#include "base/win/handle.h"
#include "fileops/command_paths.h"

namespace {

constexpr int MessageInsideArchive = 1001;
constexpr int MessageExtractFromArchive = 1002;

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
bool isDirectory(const std::string& path) {
    DWORD a = attributesOf(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
bool isFile(const std::string& path) {
    DWORD a = attributesOf(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

PlatformKind currentPlatform() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return PlatformKind::Unknown;
#pragma GCC diagnostic pop
    return platformKind(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

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

bool waitFor(HANDLE process, int waitMode) {
    if (waitMode == 1) return WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0;
    if (waitMode == 2) return WaitForInputIdle(process, INFINITE) == 0;
    return true;
}

bool shellExecute(HWND owner, const char* verb, const std::string& file,
                  const std::string& parameters, int waitMode) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = owner;
    info.lpVerb = verb;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info)) return false;
    UniqueHandle process{info.hProcess};
    return !process || waitFor(process.get(), waitMode);
}

}  // namespace

bool runShellOperation(HWND owner, UINT function, const std::vector<std::string>& sources,
                       const std::string& destination, bool allowUndo) {
    if (sources.empty()) return true;
    if (shellRefuses(sources)) return false;
    const std::string from = doubleNulList(sources);
    const std::string to = doubleNulList(destination.empty() ? std::vector<std::string>{}
                                                             : std::vector<std::string>{destination});
    SHFILEOPSTRUCTA op{};
    op.hwnd = owner;
    op.wFunc = function;
    op.pFrom = from.c_str();
    op.pTo = destination.empty() ? nullptr : to.c_str();
    op.fFlags = allowUndo ? FOF_ALLOWUNDO : 0;
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

// Whether a move would land on a name that already exists.
bool moveCollides(const std::vector<std::string>& sources, const std::string& destination) {
    if (isDirectory(destination)) {
        for (const std::string& source : sources) {
            const std::string target = joinPath(destination, lastName(source));
            if (attributesOf(target) != INVALID_FILE_ATTRIBUTES) return true;
        }
        return false;
    }
    return attributesOf(destination) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool CLocalCommand::shellCopy(const std::vector<std::string>& sources,
                              const std::string& destination, bool move) {
    const PathProbe probe{isDirectory, isFile, makeDirectories};
    const std::vector<std::string> prepared =
        prepareShellCopy(currentPlatform(), sources, destination, probe);
    if (move && moveCollides(prepared, destination)) {
        // Onto itself the copy could succeed and the delete would then take the only file.
        for (const std::string& source : prepared) {
            const std::string target =
                isDirectory(destination) ? joinPath(destination, lastName(source)) : destination;
            if (lstrcmpiA(target.c_str(), source.c_str()) == 0) return false;
        }
        // The shell moves onto an existing name without asking, losing the
        // file that stood there. A copy asks about every overwrite; the
        // sources go only once all of them arrived.
        if (!runShellOperation(owner, FO_COPY, prepared, destination, true)) return false;
        SHFILEOPSTRUCTA op{};
        const std::string from = doubleNulList(prepared);
        op.hwnd = owner;
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT;
        return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
    }
    return runShellOperation(owner, move ? FO_MOVE : FO_COPY, prepared, destination, true);
}

bool CLocalCommand::Copy(const std::vector<std::string>& sources, const std::string& destination) {
    if (isArchivePath(destination)) {
        ask(MessageInsideArchive);
        return true;
    }
    if (sources.empty()) return false;
    if (isArchivePath(sources.front())) {
        if (!isYes(ask(MessageExtractFromArchive))) return true;
        if (!hooks_.extract) return false;
        return hooks_.extract(sources, destination) == static_cast<int>(sources.size());
    }
    return shellCopy(sources, destination, false);
}

bool CLocalCommand::Move(const std::vector<std::string>& sources, const std::string& destination) {
    // A move into an archive would lose the files: it is refused like one out of it.
    if ((!sources.empty() && isArchivePath(sources.front())) || isArchivePath(destination)) {
        ask(MessageInsideArchive);
        return true;
    }
    if (sources.empty()) return false;
    return shellCopy(sources, destination, true);
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
    return shellExecute(owner, nullptr, file, quoteParameters(parameters), 0);
}

bool CLocalCommand::Open(const std::string& file, const std::string& parameters, int waitMode) {
    return shellExecute(owner, "open", file, parameters, waitMode);
}
