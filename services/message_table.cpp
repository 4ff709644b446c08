#include "services/message_table.h"

#include <cstdint>
#include <vector>

#include "base/sjis.h"

namespace {

// Lines are read through a 1000-byte buffer: a longer line comes in pieces
// of 999 bytes, each taken as a line of its own.
constexpr std::size_t LineBytes = 999;

// The number at the start of a line the way atoi reads it: blanks, a sign,
// digits, anything after ignored. Values beyond int never match.
std::optional<int> leadingNumber(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || (line[i] >= '\t' && line[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    std::int64_t value = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        value = value * 10 + (line[i] - '0');
        if (value > 0x80000000LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int>(value);
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); i += sjis::charLength(line, i)) {
        if (line[i] == ',') {
            fields.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    fields.push_back(line.substr(start));
    return fields;
}

std::string expandLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = sjis::charLength(text, i);
        if (n == 1 && text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            i += 2;
        } else {
            out.append(text, i, n);
            i += n;
        }
    }
    return out;
}

}  // namespace

int messageBoxType(std::string_view name) {
    static constexpr std::string_view names[] = {"MB_OK",       "MB_OKCANCEL",
                                                 "MB_ABORTRETRYIGNORE", "MB_YESNOCANCEL",
                                                 "MB_YESNO",    "MB_RETRYCANCEL"};
    for (int i = 0; i < 6; ++i)
        if (name == names[i]) return i;
    return 0;
}

bool isYes(int answerCode) {
    return answerCode == answer::Ok || answerCode == answer::Retry || answerCode == answer::Yes;
}

std::optional<Message> MessageTable::find(int number) const {
    // Text mode: a CR before LF is not part of the line.
    std::string text;
    text.reserve(content_.size());
    for (std::size_t i = 0; i < content_.size(); ++i)
        if (!(content_[i] == '\r' && i + 1 < content_.size() && content_[i + 1] == '\n'))
            text += content_[i];

    std::string_view rest = text;
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::size_t length = end == std::string_view::npos ? rest.size() : end + 1;
        if (length > LineBytes) length = LineBytes;
        std::string_view line = rest.substr(0, length);
        rest.remove_prefix(length);

        if (leadingNumber(line) != number) continue;
        std::vector<std::string_view> fields = splitFields(line);
        auto field = [&](std::size_t k) { return k < fields.size() ? fields[k] : std::string_view(); };
        if (field(2).empty()) return std::nullopt;
        return Message{messageBoxType(field(1)), std::string(field(2)),
                       expandLineBreaks(field(3))};
    }
    return std::nullopt;
}

std::optional<MessageBoxRequest> prepareMessage(const std::optional<std::string>& content,
                                                int number, std::span<const FormatArg> args) {
    if (!content) return std::nullopt;
    std::optional<Message> message = MessageTable(*content).find(number);
    if (!message) return std::nullopt;
    std::string text = safeFormat(message->text, args);
    text.resize(sjis::fittingLength(text, MaxTextBytes));
    return MessageBoxRequest{message->type, std::move(message->caption), std::move(text)};
}
