#pragma once
// Splits fuzz bytes into the one-line values a dialog could store: no CR, no
// LF, no NUL, at most `limit` bytes.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::string> dialogValues(std::string_view bytes, std::size_t limit) {
    std::vector<std::string> values;
    std::string value;
    for (char c : bytes) {
        if (c == '\n' || c == '\r' || c == '\0') {
            values.push_back(value);
            value.clear();
        } else if (value.size() < limit) {
            value += c;
        }
    }
    values.push_back(value);
    return values;
}
