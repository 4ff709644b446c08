#include "commands/key_dialog_model.h"

#include "base/sjis.h"
#include "commands/key_names.h"

namespace {

bool isSingleCharacter(std::string_view text) {
    return !text.empty() && sjis::charLength(text, 0) == text.size();
}

bool isForcedHere(std::string_view keyText) {
    return keyText == "F7" || keyText == "F8" || keyText == "F9";
}

const char* mark(bool on) { return on ? "o" : " "; }

}  // namespace

int keyCodeForText(std::string_view text) {
    if (text.empty()) return 0;
    int code = keyCode(text);
    if (code != 0) return code;
    if (!isSingleCharacter(text)) return 0;
    char c = text[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return charKeyCode(c);
}

KeyBoxState refreshKeyBox(std::string_view keyText, bool shift, bool ctrl, bool alt,
                          const KeyMap& map, const CommandLabels& labels) {
    KeyBoxState state;
    state.shift = shift;
    state.ctrl = ctrl;
    state.alt = alt;
    if (keyText.empty()) return state;
    state.changed = true;
    state.key = keyCodeForText(keyText);
    if (state.key == 0) {
        state.setEnabled = false;
        return state;
    }
    // A typed character names its key whatever Shift it takes ("/" and "?"
    // are one key), so Shift is not offered for it.
    if (!ctrl && !alt && isSingleCharacter(keyText)) {
        state.shift = false;
        state.shiftEnabled = false;
    }
    state.commandTextChanged = true;
    state.commandText =
        bindingText(map.lookup(state.key, state.shift, state.ctrl, state.alt), labels);
    bool locked = isForcedHere(keyText) && !state.shift && !state.ctrl && !state.alt;
    state.setEnabled = !locked;
    state.commandEnabled = !locked;
    return state;
}

KeyBinding bindingFromControls(std::string_view keyText, bool shift, bool ctrl, bool alt,
                               std::string_view commandText, const CommandLabels& labels) {
    KeyBinding binding;
    binding.key = keyCodeForText(keyText);
    binding.shift = shift;
    binding.ctrl = ctrl;
    binding.alt = alt;
    std::string name = labels.labelFor(commandText, false);
    binding.command = CommandIdFromName(name);
    // Choosing "CMD_NONE" means no command: an empty binding, not a command
    // line that runs a program of that name.
    if (binding.command == 0 && name != "CMD_NONE") binding.parameter = std::string(commandText);
    return binding;
}

KeyRow keyRow(const KeyBinding& binding, const CommandLabels& labels) {
    return KeyRow{keyName(binding.key), mark(binding.ctrl), mark(binding.alt),
                  mark(binding.shift), bindingText(binding, labels)};
}

std::vector<std::string> commandBoxItems(const CommandLabels& labels) {
    std::vector<std::string> items;
    for (CommandId id = FirstCommand - 1; id <= LastCommand; ++id) {
        std::string text = labels.labelFor(CommandNameFromId(id), true);
        if (!text.empty()) items.push_back(std::move(text));
    }
    return items;
}
