#pragma once
// From a key press to the work it causes: the key map lookup, the two refusal
// rules, command lines with their prompts, and the first-letter jump. The
// pane's window implements CommandHost and hands every key here.
#include <string>
#include <string_view>
#include <vector>

#include "commands/command_id.h"
#include "commands/key_map.h"

struct KeyEvent {
    int key = 0;  // virtual-key code as the window message gave it
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool viaSysKey = false;  // came as WM_SYSKEYDOWN
};

struct ListingState {
    int entryCount = 0;
    bool ftp = false;
};

enum class Refusal { None, FtpListing, EmptyListing };

// The FTP rule comes first: pack, unpack and attributes are refused there even
// when the listing is empty.
Refusal refusalFor(CommandId id, const ListingState& listing);

// How the owner of a command is called. Only the fields of the command's
// kind carry meaning; every other field keeps its default.
struct CommandCall {
    CommandId id = 0;
    bool toRecycleBin = false;  // CmdDelete on, CmdKillfile off
    int findStep = 0;           // CmdRefind +1, CmdBackRefind -1
    int instance = -1;          // CmdVorbinAct0..2
    int windowPosition = -1;    // CmdWinmove0..8
    int viewDx = 0;             // CmdViewLeft -1, CmdViewRight +1
    int viewDy = 0;             // CmdViewUp +1, CmdViewDown -1
};

// False for numbers outside the table and for the two commands without a
// handler of their own (CmdKeyexecute, CmdHelp: F1 goes to the help request).
bool hasHandler(CommandId id);
CommandCall commandCall(CommandId id);

// The wheel and the info window step the cursor: dy >= 1 up, dy <= -1 down;
// with dy 0, dx >= 1 left, dx <= -1 right; 0 when there is no step.
CommandId cursorStepCommand(int dy, int dx);

// The main dialog turns Escape into code 25 before it could close the window;
// a key arriving here untouched gets the same treatment.
int keyForMap(int key, bool viaSysKey);

// The character an unbound key jumps to, as a Japanese keyboard types it; 0
// when the key is no such character (function, navigation and editing keys,
// and any key held with Ctrl or Alt).
char jumpCharacter(const KeyEvent& event);

// A command line with one of these macros runs once per marked entry.
bool runsPerMarkedEntry(std::string_view line);

class CommandHost {
public:
    virtual ~CommandHost() = default;
    virtual ListingState listing() const = 0;
    virtual int cursor() const = 0;
    virtual void setCursor(int index) = 0;
    // Indices of the marked entries in listing order.
    virtual std::vector<int> markedEntries() const = 0;

    virtual void runCommand(const CommandCall& call) = 0;
    // Expands the remaining macros with the entry at target (the cursor for a
    // single run) as the target entry and executes the line.
    virtual bool runCommandLine(const std::string& line, int target) = 0;
    // The one-line input titled "Parameter [counter]"; false on Cancel.
    virtual bool askParameter(int counter, std::string& text) = 0;
    // Around the runs of one text over the marked entries: the host keeps
    // those entries as they were when the series began.
    virtual void beginCommandRun() {}
    virtual void endCommandRun() {}
    // Cursor to the next entry after it whose name begins with c.
    virtual void jumpToLetter(char c) = 0;
    virtual void openCommandMenu() = 0;
};

// A key-down of the key receiver. The application key opens the command menu;
// a bare Ctrl key-down is no key of its own and does nothing.
bool handleKey(const KeyEvent& event, const KeyMap& map, CommandHost& host);
bool runBinding(const KeyBinding& binding, const KeyEvent& event, CommandHost& host);
// A command text from a binding or a dialog: a command name is that command;
// otherwise the "$P" prompts are asked, then the line runs once per marked
// entry or once for the cursor entry.
bool runCommandText(const std::string& text, CommandHost& host);
// True when a handler ran.
bool dispatch(CommandId id, CommandHost& host);
bool cursorStep(int dy, int dx, CommandHost& host);
