#pragma once
// The Linux system under Wine, reached from a test: its names for Windows
// paths and its shell, for real tools (zip, mount) and test servers.
#include <windows.h>

#include <string>

// The Linux name of a Windows path, empty when there is none.
std::string unixPathOf(const std::string& windowsPath);
// Runs a script of /bin/sh and waits until it has ended: true when it ended
// within the time with status 0. The handle of a Linux process does not tell
// when it ends, so the script leaves a marker.
bool hostShell(const std::string& script, DWORD timeoutMs = 20000);
