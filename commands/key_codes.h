#pragma once
// Windows virtual-key codes as plain numbers, for code that cannot include
// <windows.h>. Letters and digits are their upper-case ASCII codes ('A', '7').
// Names are chosen so they never meet a <windows.h> macro in the shell.

namespace vk {

constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Enter = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Menu = 0x12;  // Alt
// Escape reaches the key map as this code, so it never closes the main dialog.
// A Japanese keyboard's Kanji key sends the same code.
constexpr int EscapeMapped = 0x19;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int PageUp = 0x21;
constexpr int PageDown = 0x22;
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Insert = 0x2D;
constexpr int Delete = 0x2E;
constexpr int Apps = 0x5D;  // the context-menu key
constexpr int Numpad0 = 0x60;
constexpr int Numpad9 = 0x69;
constexpr int Multiply = 0x6A;
constexpr int Add = 0x6B;
constexpr int Separator = 0x6C;
constexpr int Subtract = 0x6D;
constexpr int Decimal = 0x6E;
constexpr int Divide = 0x6F;
constexpr int F1 = 0x70;
constexpr int F2 = 0x71;
constexpr int F3 = 0x72;
constexpr int F4 = 0x73;
constexpr int F5 = 0x74;
constexpr int F7 = 0x76;
constexpr int F8 = 0x77;
constexpr int F9 = 0x78;
constexpr int F10 = 0x79;
constexpr int F12 = 0x7B;

// Punctuation keys, named by what they type unshifted on a Japanese keyboard.
constexpr int OemColon = 0xBA;
constexpr int OemSemicolon = 0xBB;
constexpr int OemComma = 0xBC;
constexpr int OemMinus = 0xBD;
constexpr int OemPeriod = 0xBE;
constexpr int OemSlash = 0xBF;
constexpr int OemAt = 0xC0;
constexpr int OemOpenBracket = 0xDB;
constexpr int OemYen = 0xDC;
constexpr int OemCloseBracket = 0xDD;
constexpr int OemCaret = 0xDE;
constexpr int OemBackslash = 0xE2;

}  // namespace vk
