#pragma once
// Names of keys as the key dialog offers them and the key files show them, and
// the typed characters of a Japanese keyboard's punctuation keys.
#include <span>
#include <string>
#include <string_view>

struct KeyName {
    int code;
    const char* name;
};

// The 90 names in the order the key dialog lists them. Some codes have two
// names ("<" and ","); a code converts to the first.
std::span<const KeyName> keyNames();

// The first name of the code; else the code's character through the character
// table, a letter in lower case; "" for a code that is no character at all.
std::string keyName(int code);
// Exact, case-sensitive; 0 when nothing has that name.
int keyCode(std::string_view name);

// A typed character to the code of its key; characters outside the table give
// their own code.
int charKeyCode(char c);
// The first character of the table with that code, else the code itself.
char keyChar(int code);
