#pragma once
// What one run of a command text does for one target entry, once the "$P"
// prompts are answered and the per-marked-entry loop has chosen the target:
// start a program, hand the text to the command interpreter, or move the
// pane. CommandHost::runCommandLine turns the answer into the action.
#include <functional>
#include <string>
#include <string_view>

#include "fileops/macro_expansion.h"

enum class RunAction {
    Nothing,      // the expansion failed on a per-entry run
    Execute,      // the command object's Execute(program, parameters)
    Interpreter,  // the command interpreter with program after "/c", waited for
    Jump,         // CMD_JUMPDIR with program as the path
};

struct CommandRun {
    RunAction action = RunAction::Nothing;
    std::string program;
    std::string parameters;
};

// Whether a path names an existing directory; the Win32 side asks the file system.
using DirectoryTest = std::function<bool(const std::string&)>;

// "//", "//domain" and "\\computer": the containers of the network.
bool isNetworkContainerPath(std::string_view path);

// singleRun: the run is for the cursor entry (no per-marked-entry loop); only
// then does a failed expansion fall back to starting the text itself.
CommandRun planCommandRun(std::string_view text, const MacroContext& context, bool singleRun,
                          const DirectoryTest& isDirectory);
