#pragma once
// What Lintor hands over and to whom, from its arguments and the clipboard.
#include <string>
#include <string_view>
#include <vector>

struct HandoverRequest {
    std::string text;  // Shift-JIS path, sent with its NUL
    int instance = 0;  // receiving Vorbin
};

// One leading and one trailing double quote go, each only when present.
std::string withoutSurroundingQuotes(std::string text);
// The leading decimal number of text, as atoi reads it; 0 when there is none.
int leadingNumber(std::string_view text);
// The first argument, or the clipboard text without one; the second
// argument's number, or 0.
HandoverRequest handoverRequest(const std::vector<std::string>& arguments,
                                const std::string& clipboardText);
