#pragma once
// Starts what an ExecuteRequest describes: a new process, or the shell's
// open with its retries, its waits and the association fallback.
#include <windows.h>

#include "fileops/command_line.h"
#include "fileops/command_paths.h"

// True when the process was created or the shell accepted the open. A wait
// asked for is waited out before returning.
bool startRequest(HWND owner, const ExecuteRequest& request);

// The program named by COMSPEC, or the default interpreter.
std::string commandInterpreter();

// The platform family of the running system.
PlatformKind currentPlatform();
