#pragma once
// Display labels of the commands, read from "Command.TBL": the key dialog and
// the other lists show a label where the files store a command name.
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "commands/key_map.h"

class CommandLabels {
public:
    // "name,label" per line; a later line for the same name or label wins.
    void parse(std::string_view text);
    // A missing file leaves no labels, so every command shows its plain name.
    bool load(const std::string& path);
    bool empty() const { return labelOf_.empty(); }

    // toLabel on: the label of a command name; off: the command name of a
    // label. The text itself when there is no entry.
    std::string labelFor(std::string_view text, bool toLabel) const;

private:
    std::map<std::string, std::string, std::less<>> labelOf_;
    std::map<std::string, std::string, std::less<>> nameOf_;
};

// What a list shows for a binding: the command's label, or the command line.
std::string bindingText(const KeyBinding& binding, const CommandLabels& labels);
