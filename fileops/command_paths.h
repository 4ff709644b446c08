#pragma once
// The path rules of the file-operation commands that need no platform: the
// lists handed to the shell, the name proposed for a copy, where a typed
// destination points, and how the shell copy is prepared.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Every path followed by a NUL, and one more NUL to end the list. The
// string's own terminator adds a spare NUL, so c_str() of an empty list is
// still a valid empty list. A path holding a NUL would cut the list short
// for the shell, so such paths are left out.
std::string doubleNulList(const std::vector<std::string>& paths);
// The paths of such a list up to its first empty entry.
std::vector<std::string> splitDoubleNulList(std::string_view list);

// The copy's proposed name: the first "." becomes "_Copy.", a name without
// "." gets "_Copy" appended.
std::string copyNameProposal(std::string_view name);
// A name is proposed only for a real entry under the cursor and at most one mark.
bool proposesCopyName(std::string_view cursorName, int markedCount);

// The remembered current directory of a drive letter ('A' to 'Z').
using DriveDirectoryLookup = std::function<std::string(char driveLetter)>;

// A bare drive "d:" becomes that drive's remembered directory; a text that
// begins neither with "X:\" nor with "\" is joined to the pane's directory;
// anything else stands as typed.
std::string resolveDestination(std::string_view text, std::string_view paneDirectory,
                               const DriveDirectoryLookup& driveDirectory);

struct TransferArguments {
    std::vector<std::string> sources;
    std::string destination;
};
// What a copy or move gets: a direct transfer (a drop) or an FTP destination
// is passed on untouched; otherwise the destination is resolved and the
// source names become full paths in the pane's directory.
TransferArguments prepareTransfer(const std::vector<std::string>& names,
                                  std::string_view destinationText, bool direct,
                                  std::string_view paneDirectory,
                                  const DriveDirectoryLookup& driveDirectory);

// Names relative to the pane's directory as full paths.
std::vector<std::string> fullPaths(const std::vector<std::string>& names,
                                   std::string_view paneDirectory);

// "\\server" or "\\server\share": the shell cannot copy or delete these.
bool isShallowNetworkPath(std::string_view path);
// The shell operation refuses a list whose first path is FTP or a shallow
// network path.
bool shellRefuses(const std::vector<std::string>& sources);

// The platform family, from the version the system reports.
enum class PlatformKind { Unknown = 0, Win32s = 1, Win95 = 2, Win9x = 3, NT = 4, NT5 = 6, Win9xLate = 7 };
// platformId as in OSVERSIONINFO: 0 Win32s, 1 Windows 9x, 2 NT.
PlatformKind platformKind(unsigned platformId, unsigned major, unsigned minor);

// What the file system says about a path, for preparing the shell copy.
struct PathProbe {
    std::function<bool(const std::string&)> isDirectory;
    std::function<bool(const std::string&)> isFile;
    // Creates the directory and every missing parent.
    std::function<bool(const std::string&)> makeDirectories;
};

// On NT the shell copy of directories to a missing destination would nest
// them; the destination is made first and each directory source gives its
// contents ("\*.*") instead. Returns the sources to hand to the shell.
std::vector<std::string> prepareShellCopy(PlatformKind kind, const std::vector<std::string>& sources,
                                          const std::string& destination, const PathProbe& probe);

// Only whole paths of real files may be pasted: a relative name would be
// taken from wherever the process stands, a wildcard would take more than
// was given.
bool pastablePath(std::string_view path);

// The clipboard effect after a drop: the link bit clears it, the move bit
// makes it a move, the copy bit a copy; tested in that order, so copy wins.
int effectAfterDrop(int currentEffect, unsigned dropEffectBits);
