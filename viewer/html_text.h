#pragma once
// A web page as plain text for the text grid: tags dropped, block elements
// as line breaks, headings and list items set apart, entities decoded,
// scripts and styles left out, links shown by their text. UTF-8 in and out.
#include <string>
#include <string_view>

std::string htmlToText(std::string_view html);
// The UTF-8 text of an entity body ("amp", "#233", "#x1F600"); empty when unknown.
std::string decodeEntity(std::string_view body);
// One code point as UTF-8.
std::string utf8Of(char32_t code);
