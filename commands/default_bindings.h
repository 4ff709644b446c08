#pragma once
// The bindings the program brings along: the built-in map used when "KEY.TBL"
// cannot be read, and the ones forced on every start whatever the file says.
// All of them have an empty parameter.
#include <span>

#include "commands/command_id.h"

struct DefaultBinding {
    int key;
    bool shift;
    bool ctrl;
    bool alt;
    CommandId command;
};

// In the order they are added. Shift+Ctrl+X appears twice (select-and-move
// down, then cut to the clipboard); the first one wins a lookup.
std::span<const DefaultBinding> builtInBindings();
// The eleven keys without modifiers that always keep their command.
std::span<const DefaultBinding> forcedBindings();
