#pragma once
// Which character set a web page or XML file is written in: a byte-order
// mark, then what the page declares, then a guess between UTF-8 and
// Shift-JIS. The conversion itself belongs to the platform.
#include <string>
#include <string_view>

// Lower-case name: "utf-8", "utf-16le", "utf-16be", "shift_jis" or what the
// page declared.
std::string pageCharset(std::string_view bytes);
// The platform code page for a charset name; 0 when unknown.
unsigned codePageOf(std::string_view charset);
bool isValidUtf8(std::string_view bytes);
