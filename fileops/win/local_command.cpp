#include "fileops/win/local_command.h"

#include <shellapi.h>

#include "app/win/message_box.h"
#include "base/path.h"
#include "base/sjis.h"
#include "base/win/handle.h"
#include "fileops/command_paths.h"
#include "fileops/win/program_start.h"

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

namespace {
// A file arrived when the target has its size and its time: the shell's copy
// keeps the last-write time, while a file the user chose to keep has its own.
bool sameFile(const std::string& source, const std::string& target) {
    WIN32_FILE_ATTRIBUTE_DATA a{}, b{};
    if (!GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &a) ||
        !GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &b))
        return false;
    return a.nFileSizeLow == b.nFileSizeLow && a.nFileSizeHigh == b.nFileSizeHigh &&
           CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}
}  // namespace

bool CLocalCommand::shellCopy(const std::vector<std::string>& sources,
                              const std::string& destination, bool move) {
    const PathProbe probe{isDirectory, isFile, makeDirectories};
    const std::vector<std::string> prepared =
        prepareShellCopy(currentPlatform(), sources, destination, probe);
    const bool intoDirectory = isDirectory(destination);
    auto targetOf = [&](const std::string& source) {
        return intoDirectory ? joinPath(destination, lastName(source)) : destination;
    };
    if (move && moveCollides(prepared, destination)) {
        // Onto itself the copy could succeed and the delete would then take the only file.
        for (const std::string& source : prepared) {
            if (lstrcmpiA(targetOf(source).c_str(), source.c_str()) == 0) return false;
        }
        // The shell moves onto an existing name without asking, losing the
        // file that stood there. A copy asks about every overwrite; then only
        // the sources that really arrived go: a file whose overwrite the user
        // refused, or a directory merged into one that stood there, stays.
        std::vector<bool> stood;
        for (const std::string& source : prepared)
            stood.push_back(attributesOf(targetOf(source)) != INVALID_FILE_ATTRIBUTES);
        if (!runShellOperation(owner, FO_COPY, prepared, destination, true)) return false;
        std::vector<std::string> arrived;
        for (std::size_t i = 0; i < prepared.size(); ++i) {
            const std::string& source = prepared[i];
            const std::string target = targetOf(source);
            if (isFile(source) ? sameFile(source, target) : (!stood[i] && isDirectory(target)))
                arrived.push_back(source);
        }
        if (arrived.empty()) return false;
        SHFILEOPSTRUCTA op{};
        const std::string from = doubleNulList(arrived);
        op.hwnd = owner;
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT;
        return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted &&
               arrived.size() == prepared.size();
    }
    if (move && prepared.size() > 1 && intoDirectory) {
        // Some shells refuse to move several plain files into one directory
        // as if the user had cancelled; one target per source they all take.
        std::vector<std::string> targets;
        for (const std::string& source : prepared) targets.push_back(targetOf(source));
        // Such a move passes over a missing source without a word.
        bool moved = runShellOperation(owner, FO_MOVE, prepared, targets, true);
        for (const std::string& target : targets)
            moved = moved && attributesOf(target) != INVALID_FILE_ATTRIBUTES;
        return moved;
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
