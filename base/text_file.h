#pragma once
// Whole table files read and written as bytes: they are Shift-JIS text
// whose line rules belong to each table.
#include <optional>
#include <string>
#include <string_view>

std::optional<std::string> readTextFile(const std::string& path);
// Replaces the file; false when it could not be written completely.
bool writeTextFile(const std::string& path, std::string_view text);
// Where a write goes before it replaces the file; the calling writer's own.
std::string asideFileName(const std::string& path);
