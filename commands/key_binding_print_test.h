#pragma once
// Readable test failures for key bindings.
#include <ostream>

#include "commands/key_map.h"

inline void PrintTo(const KeyBinding& b, std::ostream* os) {
    *os << "{key " << b.key << (b.shift ? " S" : "") << (b.ctrl ? " C" : "") << (b.alt ? " A" : "")
        << ", " << CommandNameFromId(b.command) << "(" << b.command << "), \"" << b.parameter
        << "\"}";
}
