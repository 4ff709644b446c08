#pragma once
// The prompt for a "$P" of a command line: the one-line input dialog
// (resource 152, the find-name template) titled "Parameter [n]".
#include <windows.h>

#include <string>

// counter numbers the prompts of one command line from 1. On OK text is the
// text typed (Shift-JIS) and the answer true; Cancel leaves text alone.
bool askParameterDialog(HWND owner, int counter, std::string& text);
