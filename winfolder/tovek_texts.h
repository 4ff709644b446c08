#pragma once
// The texts Tovek shows, in Shift-JIS.
#include <string>

// "ウィンドウタイトルはありません": the window under the pointer has no title.
inline constexpr const char* NoTitleText =
    "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x83\x5e\x83\x43\x83\x67\x83\x8b\x82\xcd\x82\xa0"
    "\x82\xe8\x82\xdc\x82\xb9\x82\xf1";
// "インスタンスを取得できません": the typed library cannot be loaded.
inline constexpr const char* NoInstanceText =
    "\x83\x43\x83\x93\x83\x58\x83\x5e\x83\x93\x83\x58\x82\xf0\x8e\xe6\x93\xbe\x82\xc5\x82\xab"
    "\x82\xdc\x82\xb9\x82\xf1";

// The caption while the finder is dragged over a top-level window: plain
// "Tovek" over Tovek itself, else the window's title in brackets.
std::string finderCaption(bool overTovek, const std::string& title);
// The explorer's parameters that open a new window on the file's folder
// with the file selected.
std::string explorerParameters(const std::string& path);
