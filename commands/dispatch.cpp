#include "commands/dispatch.h"

#include <cstring>

#include "commands/key_codes.h"

namespace {

// Shifted digits of a Japanese keyboard; Shift+0 types nothing.
constexpr char ShiftedDigits[] = "\0!\"#$%&'()";

struct PunctuationKey {
    int code;
    char plain;
    char shifted;
};

constexpr PunctuationKey Punctuation[] = {
    {vk::OemColon, ':', '*'},       {vk::OemSemicolon, ';', '+'},
    {vk::OemComma, ',', '<'},       {vk::OemMinus, '-', '='},
    {vk::OemPeriod, '.', '>'},      {vk::OemSlash, '/', '?'},
    {vk::OemAt, '@', '`'},          {vk::OemOpenBracket, '[', '{'},
    {vk::OemYen, '\\', '|'},        {vk::OemCloseBracket, ']', '}'},
    {vk::OemCaret, '^', '~'},       {vk::OemBackslash, '\\', '_'},
};

char typedCharacter(int key, bool shift) {
    if (key >= 'A' && key <= 'Z') return static_cast<char>(key);
    if (key >= '0' && key <= '9') {
        return shift ? ShiftedDigits[key - '0'] : static_cast<char>(key);
    }
    if (key == vk::Space) return ' ';
    if (key >= vk::Numpad0 && key <= vk::Numpad9) return static_cast<char>('0' + key - vk::Numpad0);
    switch (key) {
        case vk::Multiply: return '*';
        case vk::Add: return '+';
        case vk::Subtract: return '-';
        case vk::Decimal: return '.';
        case vk::Divide: return '/';
        default: break;
    }
    for (const PunctuationKey& p : Punctuation) {
        if (p.code == key) return shift ? p.shifted : p.plain;
    }
    return 0;
}

bool jumpsTo(char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return c != 0 && std::strchr(" \"!#$%&'()=~|[]/<>;+-^.@,\\", c) != nullptr;
}

// Asks for every "$P" from the left. Text typed in is not searched again, so
// a "$P" the user types does not ask once more.
bool fillPrompts(std::string& line, CommandHost& host) {
    int counter = 1;
    for (std::size_t at = line.find("$P"); at != std::string::npos;
         at = line.find("$P", at)) {
        std::string text;
        if (!host.askParameter(counter++, text)) return false;
        line.replace(at, 2, text);
        at += text.size();
    }
    return true;
}

}  // namespace

Refusal refusalFor(CommandId id, const ListingState& listing) {
    if (listing.ftp && refusedOnFtp(id)) return Refusal::FtpListing;
    if (listing.entryCount <= 0 && !runsOnEmptyListing(id)) return Refusal::EmptyListing;
    return Refusal::None;
}

bool hasHandler(CommandId id) { return isCommand(id) && id != CmdKeyexecute && id != CmdHelp; }

CommandCall commandCall(CommandId id) {
    CommandCall call;
    call.id = id;
    switch (id) {
        case CmdDelete: call.toRecycleBin = true; break;
        case CmdKillfile: call.toRecycleBin = false; break;
        case CmdRefind: call.findStep = 1; break;
        case CmdBackRefind: call.findStep = -1; break;
        case CmdViewUp: call.viewDy = 1; break;
        case CmdViewDown: call.viewDy = -1; break;
        case CmdViewLeft: call.viewDx = -1; break;
        case CmdViewRight: call.viewDx = 1; break;
        default: break;
    }
    if (id >= CmdVorbinAct0 && id <= CmdVorbinAct2) call.instance = id - CmdVorbinAct0;
    if (id >= CmdWinmove0 && id <= CmdWinmove8) call.windowPosition = id - CmdWinmove0;
    return call;
}

CommandId cursorStepCommand(int dy, int dx) {
    if (dy >= 1) return CmdCursorUp;
    if (dy <= -1) return CmdCursorDown;
    if (dx >= 1) return CmdCursorLeft;
    if (dx <= -1) return CmdCursorRight;
    return CmdNone;
}

int keyForMap(int key, bool viaSysKey) {
    return !viaSysKey && key == vk::Escape ? vk::EscapeMapped : key;
}

char jumpCharacter(const KeyEvent& event) {
    // A letter held with Ctrl or Alt is a shortcut that missed, not typing.
    if (event.ctrl || event.alt) return 0;
    char c = typedCharacter(event.key, event.shift);
    return jumpsTo(c) ? c : 0;
}

bool runsPerMarkedEntry(std::string_view line) {
    for (const char* macro : {"$t", "$T", "$M", "$m"}) {
        if (line.find(macro) != std::string_view::npos) return true;
    }
    return false;
}

bool handleKey(const KeyEvent& event, const KeyMap& map, CommandHost& host) {
    if (!event.viaSysKey && event.key == vk::Apps) {
        host.openCommandMenu();
        return false;
    }
    if (!event.viaSysKey && event.key == vk::Control) return false;
    KeyEvent mapped = event;
    mapped.key = keyForMap(event.key, event.viaSysKey);
    KeyBinding binding = map.lookup(mapped.key, mapped.shift, mapped.ctrl, mapped.alt);
    return runBinding(binding, mapped, host);
}

bool runBinding(const KeyBinding& binding, const KeyEvent& event, CommandHost& host) {
    if (binding.command == 0 && binding.parameter.empty()) {
        char c = jumpCharacter(event);
        if (c != 0 && host.listing().entryCount > 0) host.jumpToLetter(c);
        return false;
    }
    if (binding.command != 0) return dispatch(binding.command, host);
    return runCommandText(binding.parameter, host);
}

bool runCommandText(const std::string& text, CommandHost& host) {
    // A command name written as the command line is that command.
    if (CommandId named = CommandIdFromName(text); named != 0) return dispatch(named, host);
    std::string line = text;
    if (!fillPrompts(line, host)) return false;
    if (runsPerMarkedEntry(line)) {
        std::vector<int> marked = host.markedEntries();
        if (!marked.empty()) {
            bool result = false;
            host.beginCommandRun();
            for (int target : marked) result = host.runCommandLine(line, target);
            host.endCommandRun();
            return result;
        }
    }
    return host.runCommandLine(line, host.cursor());
}

bool dispatch(CommandId id, CommandHost& host) {
    bool ran = false;
    if (refusalFor(id, host.listing()) == Refusal::None && hasHandler(id)) {
        host.runCommand(commandCall(id));
        ran = true;
    }
    // A refused command on an empty listing, or a handler that emptied it,
    // leaves no entry for the cursor to stand on.
    if (host.listing().entryCount <= 0) host.setCursor(0);
    return ran;
}

bool cursorStep(int dy, int dx, CommandHost& host) {
    CommandId id = cursorStepCommand(dy, dx);
    return id != CmdNone && dispatch(id, host);
}
