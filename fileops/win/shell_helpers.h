#pragma once
// Handing entries to the shell: a shortcut beside them, the explorer with the
// entry selected, the shell's properties sheet. FTP and archive paths are not
// the shell's to handle and are refused.
#include <windows.h>

#include <string>

// Makes a shell link to target in directory, named as the shell names one
// ("a.txt - ショートカット.lnk", then " (2)" ...), starting in target's own
// directory. A trailing "\.." of target stands for the directory shown. COM
// must be initialised on the calling thread. Returns the new file's name
// (without the directory), "" on failure; a failure leaves no file behind and
// never replaces an existing one.
std::string createShortcut(const std::string& target, const std::string& directory);

// Starts "Explorer.exe /n,/e,/select,<path>" shown normally; true when started.
bool openInExplorer(HWND owner, const std::string& path);

// The shell's "properties" verb on path, without any error box of the shell's
// own; false when the shell cannot show them.
bool showProperties(HWND owner, const std::string& path);
