#pragma once
// The numbered messages of "MESSAGE.tbl": one message a line,
// "number,type,caption,text". The program shows no wording of its own, so the
// whole file can be replaced or translated without touching the program.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "services/safe_format.h"

// Answer codes of the platform's message box.
namespace answer {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace answer

// The box style of a type name, compared exactly ("MB_YESNO" is 4); anything
// else is 0, OK only.
int messageBoxType(std::string_view name);

// OK, Retry and Yes go ahead; every other answer does not.
bool isYes(int answerCode);

struct Message {
    int type = 0;
    std::string caption;
    std::string text;  // "\n" pairs already turned into line feeds
};

class MessageTable {
public:
    // The whole file as read from disk.
    explicit MessageTable(std::string content) : content_(std::move(content)) {}

    // The first line whose number matches; nothing when there is none or that
    // line has an empty caption.
    std::optional<Message> find(int number) const;

private:
    std::string content_;
};

// What the box shows once the text is formatted (at most MaxTextBytes bytes).
struct MessageBoxRequest {
    int type = 0;
    std::string caption;
    std::string text;
};
constexpr std::size_t MaxTextBytes = 2999;

// Nothing when the file is missing (content absent) or holds no usable line
// for the number: then no box is shown and the answer is Yes.
std::optional<MessageBoxRequest> prepareMessage(const std::optional<std::string>& content,
                                                int number, std::span<const FormatArg> args);
