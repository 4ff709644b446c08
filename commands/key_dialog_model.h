#pragma once
// The rules behind the key dialog's controls, so the dialog window only moves
// texts and check marks.
#include <string>
#include <string_view>
#include <vector>

#include "commands/command_labels.h"
#include "commands/key_map.h"

// The key box, the three check boxes and the command box after a refresh.
struct KeyBoxState {
    bool changed = false;  // false: an empty key box leaves every control as it was
    int key = 0;
    bool setEnabled = true;
    bool shift = false;
    bool shiftEnabled = true;
    bool ctrl = false;
    bool alt = false;
    bool modifiersEnabled = true;  // Ctrl and Alt
    bool commandEnabled = true;
    bool commandTextChanged = false;
    std::string commandText;
};

// A key name, or a single typed character ("a" means the A key).
// 0 when the text is neither.
int keyCodeForText(std::string_view text);

KeyBoxState refreshKeyBox(std::string_view keyText, bool shift, bool ctrl, bool alt,
                          const KeyMap& map, const CommandLabels& labels);

// The binding that Set and Del work with.
KeyBinding bindingFromControls(std::string_view keyText, bool shift, bool ctrl, bool alt,
                               std::string_view commandText, const CommandLabels& labels);

struct KeyRow {
    std::string key;
    std::string ctrl;  // "o" or " "
    std::string alt;
    std::string shift;
    std::string command;
};
KeyRow keyRow(const KeyBinding& binding, const CommandLabels& labels);

// The command box's list: the labels of "CMD_NONE" and of every command.
std::vector<std::string> commandBoxItems(const CommandLabels& labels);
