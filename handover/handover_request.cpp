#include "handover/handover_request.h"

#include <climits>

std::string withoutSurroundingQuotes(std::string text) {
    if (!text.empty() && text.front() == '"') text.erase(0, 1);
    if (!text.empty() && text.back() == '"') text.pop_back();
    return text;
}

int leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        // Huge numbers name no instance; stop before they overflow.
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

HandoverRequest handoverRequest(const std::vector<std::string>& arguments,
                                const std::string& clipboardText) {
    HandoverRequest request;
    request.text = withoutSurroundingQuotes(arguments.empty() ? clipboardText : arguments[0]);
    if (arguments.size() >= 2) request.instance = leadingNumber(arguments[1]);
    return request;
}
