#pragma once
// Names the shell helpers hand to the shell: the file name of a new shortcut
// as a Japanese system would choose it, and the explorer's command line.
#include <functional>
#include <string>
#include <string_view>

// The pane's ".." entry stands for the directory shown: a trailing "\.." is
// dropped ("C:\dir\.." gives "C:\dir", "C:\.." gives "C:\").
std::string withoutTrailingParent(std::string_view path);

// What a shortcut to target is called before the suffix: the last component
// with its extension ("a.txt"), a drive root's letter ("C"), a share's name.
// "" when the target names nothing.
std::string shortcutBaseName(std::string_view target);

// The directory a shortcut starts in: the one holding target ("C:\" for a
// root or an entry directly on a drive).
std::string shortcutWorkingDirectory(std::string_view target);

// Highest number tried in "name - ショートカット (N).lnk" before giving up.
constexpr int MaxShortcutNumber = 100;

// "a.txt - ショートカット.lnk" in Shift-JIS, or with " (2)", " (3)" ... before
// ".lnk" while taken(candidate) says the name is in use. "" when the target
// names nothing or every number up to MaxShortcutNumber is taken.
std::string shortcutFileName(std::string_view target,
                             const std::function<bool(const std::string&)>& taken);

// " /n,/e,/select,<path>" with a trailing "\.." dropped from path.
std::string explorerParameters(std::string_view path);
