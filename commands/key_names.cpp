#include "commands/key_names.h"

#include <array>

namespace {

constexpr std::array<KeyName, 90> Names{{
    {0x0D, "Enter"}, {0x19, "Esc"}, {0x25, "Left"}, {0x27, "Right"}, {0x26, "Up"},
    {0x28, "Down"}, {0x20, "Space"}, {0x2E, "Del"}, {0x08, "Back"}, {0x70, "F1"}, {0x71, "F2"},
    {0x72, "F3"}, {0x73, "F4"}, {0x74, "F5"}, {0x75, "F6"}, {0x76, "F7"}, {0x77, "F8"},
    {0x78, "F9"}, {0x79, "F10"}, {0x7A, "F11"}, {0x7B, "F12"}, {0x60, "n0"}, {0x61, "n1"},
    {0x62, "n2"}, {0x63, "n3"}, {0x64, "n4"}, {0x65, "n5"}, {0x66, "n6"}, {0x67, "n7"},
    {0x68, "n8"}, {0x69, "n9"}, {0x6A, "n*"}, {0x6B, "n+"}, {0x6C, "nEnt"}, {0x6D, "n-"},
    {0x6E, "n."}, {0x6F, "n/"}, {0x30, "0"}, {0x31, "1"}, {0x32, "2"}, {0x33, "3"},
    {0x34, "4"}, {0x35, "5"}, {0x36, "6"}, {0x37, "7"}, {0x38, "8"}, {0x39, "9"}, {0x41, "A"},
    {0x42, "B"}, {0x43, "C"}, {0x44, "D"}, {0x45, "E"}, {0x46, "F"}, {0x47, "G"}, {0x48, "H"},
    {0x49, "I"}, {0x4A, "J"}, {0x4B, "K"}, {0x4C, "L"}, {0x4D, "M"}, {0x4E, "N"}, {0x4F, "O"},
    {0x50, "P"}, {0x51, "Q"}, {0x52, "R"}, {0x53, "S"}, {0x54, "T"}, {0x55, "U"}, {0x56, "V"},
    {0x57, "W"}, {0x58, "X"}, {0x59, "Y"}, {0x5A, "Z"}, {0xBC, "<"}, {0xBC, ","}, {0xBE, ">"},
    {0xBE, "."}, {0xBF, "/"}, {0xBF, "?"}, {0xE2, "_"}, {0xBB, ";"}, {0xBA, ":"}, {0xBA, ":"},
    {0xDD, "]"}, {0xC0, "@"}, {0xDB, "["}, {0xBD, "-"}, {0xDE, "^"}, {0xDE, "~"}, {0xDC, "\\"},}};

struct CharKey {
    char c;
    int code;
};

// Both characters of a key, unshifted and shifted, in either order.
constexpr std::array<CharKey, 17> CharKeys{{
    {'<', 0xBC}, {',', 0xBC}, {'>', 0xBE}, {'.', 0xBE}, {'/', 0xBF}, {'?', 0xBF},
    {'_', 0xE2}, {';', 0xBB}, {':', 0xBA}, {']', 0xDD}, {'@', 0xC0}, {'[', 0xDB},
    {'-', 0xBD}, {'^', 0xDE}, {'~', 0xDE}, {'\\', 0xDC}, {'|', 0xDC},
}};

}  // namespace

std::span<const KeyName> keyNames() { return Names; }

std::string keyName(int code) {
    for (const KeyName& k : Names) {
        if (k.code == code) return k.name;
    }
    // A key code is one byte; char 0 would end the text in the list control.
    if (code <= 0 || code > 0xFF) return "";
    char c = keyChar(code);
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return std::string(1, c);
}

int keyCode(std::string_view name) {
    for (const KeyName& k : Names) {
        if (name == k.name) return k.code;
    }
    return 0;
}

int charKeyCode(char c) {
    for (const CharKey& k : CharKeys) {
        if (k.c == c) return k.code;
    }
    return static_cast<unsigned char>(c);
}

char keyChar(int code) {
    for (const CharKey& k : CharKeys) {
        if (k.code == code) return k.c;
    }
    return static_cast<char>(code);
}
