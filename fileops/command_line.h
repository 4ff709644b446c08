#pragma once
// Command texts split into program and parameters, and the exact text a
// started program receives. The starting itself (process or shell, the
// retries, the waits) is the Win32 side's; ExecuteRequest is all it needs.
#include <string>
#include <string_view>

struct CommandSplit {
    std::string program;     // blanks around it and one enclosing pair of quotes removed
    std::string parameters;  // blanks around it removed; "" without a ","
    bool hasComma = false;
};

// At the first ",": "prog.exe,$T" gives "prog.exe" and "$T".
CommandSplit splitCommandText(std::string_view text);

// Blanks around the text and one pair of quotes enclosing all of it removed.
std::string unquoted(std::string_view text);

// Wrapped in double quotes. Backslashes right before the closing quote are
// doubled, or the program's argument parser would read "C:\" as C:".
std::string quoteArgument(std::string_view text);

// Parameters with a blank that do not begin with a double quote are one path
// and get quoted; anything else passes as it is.
std::string prepareParameters(std::string_view parameters);

// ".pif", ".lnk", ".cmd" and ".bat" files, and any start with an owner window,
// go through the shell instead of a new process.
bool startsThroughShell(std::string_view file, bool hasOwner);

// The command line of a new process: the quoted file, then the prepared
// parameters (quoted unless they already begin with a quote).
std::string processCommandLine(std::string_view file, std::string_view preparedParameters);

// The command interpreter given text after "/c". A text that begins with a
// quote gets one more pair, which the interpreter strips again, so quotes
// inside it survive.
std::string interpreterCommandLine(std::string_view interpreter, std::string_view text);
// The interpreter when the environment names none.
constexpr const char* DefaultInterpreter = "cmd.exe";

enum class StartRoute { Process, Shell };
enum class WaitMode { None = 0, UntilEnded = 1, UntilIdle = 2 };

// Shell opens: SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI, verb "open",
// SW_SHOWNORMAL, tried this often this far apart until the shell accepts it.
constexpr unsigned ShellOpenMask = 0x440;
constexpr int ShellOpenTries = 3;
constexpr int ShellOpenRetryMs = 500;
// Only on this platform kind does a failed open fall back to the associated
// program (FindExecutable above 32), opened once more without parameters.
constexpr int AssociationFallbackPlatform = 4;

struct ExecuteRequest {
    StartRoute route = StartRoute::Process;
    std::string file;
    std::string parameters;   // prepared; for the shell route
    std::string commandLine;  // the process route's whole line for CreateProcessA
    std::string directory;    // working directory; "" keeps Vorbin's own
    WaitMode wait = WaitMode::None;
};

// What Execute starts for a local file (after any archive extraction).
// directory is the pane's directory when it is a local one.
ExecuteRequest executeRequest(std::string_view file, std::string_view parameters, bool hasOwner,
                              std::string_view directory);
// An open through the shell, as Open(file, parameters, owner, waitMode) does.
ExecuteRequest openRequest(std::string_view file, std::string_view parameters, WaitMode wait,
                           std::string_view directory);
// A text for the command interpreter, waited for until it ends.
ExecuteRequest interpreterRequest(std::string_view interpreter, std::string_view text,
                                  std::string_view directory);
