#pragma once
// The keys the shipped "KEY.TBL" adds to the built-in map: what users of file
// managers press first and found doing nothing. Only function, navigation and
// modified keys: a plain letter without a binding jumps to a name.
#include <span>

#include "commands/default_bindings.h"
#include "commands/key_map.h"

std::span<const DefaultBinding> shippedAdditions();

// The built-in map, then the additions: the content of the shipped file.
KeyMap shippedKeyMap();
