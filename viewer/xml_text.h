#pragma once
// An XML document as indented text: one element to a line, two blanks per
// level, an element holding only text kept on its line.
#include <string>
#include <string_view>

std::string indentXml(std::string_view xml);
