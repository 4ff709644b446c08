#pragma once
// The directory listing view: "[path]", a rule of "_" across the view, then
// the entries in rows of columns div 21, directories in brackets.
#include <string>
#include <vector>

#include "panes/file_entry.h"

constexpr int ListNameWidth = 16;
constexpr int ListExtWidth = 4;

// Entries as read (the "." entry is dropped here); they are sorted ".." first,
// directories before files, then attribute word, extension and name.
std::string directoryText(const std::string& path, std::vector<FileEntry> entries, int columns);
