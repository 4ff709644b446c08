#include "ftp/reply.h"

namespace ftp {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The code of a line that starts a reply ("ddd", "ddd " or "ddd-"), else 0.
int leadingCode(std::string_view line, char& separator) {
    if (line.size() < 3 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2])) return 0;
    int code = (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
    if (code < 100 || code > 599) return 0;
    separator = line.size() > 3 ? line[3] : ' ';
    if (separator != ' ' && separator != '-') return 0;
    return code;
}

}  // namespace

std::string Reply::text() const {
    if (lines.empty()) return {};
    const std::string& last = lines.back();
    return last.size() > 4 ? last.substr(4) : std::string();
}

void ReplyReader::feed(std::string_view bytes) {
    if (broken_ != NeedMore) return;
    if (start_ > 0 && start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    }
    buffer_.append(bytes);
}

ReplyReader::Status ReplyReader::fail(Status s) {
    broken_ = s;
    buffer_.clear();
    start_ = 0;
    return s;
}

ReplyReader::Status ReplyReader::next(Reply& reply) {
    if (broken_ != NeedMore) return broken_;
    for (;;) {
        std::size_t end = buffer_.find('\n', start_);
        if (end == std::string::npos) {
            if (buffer_.size() - start_ > MaxLine) return fail(TooLong);
            // Keep the buffer from creeping: drop what has been read.
            if (start_ > 0) {
                buffer_.erase(0, start_);
                start_ = 0;
            }
            return NeedMore;
        }
        std::string_view line(buffer_.data() + start_, end - start_);
        start_ = end + 1;
        if (line.size() > MaxLine) return fail(TooLong);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        char separator = 0;
        int code = leadingCode(line, separator);
        if (!inReply_) {
            if (code == 0) return fail(Malformed);
            partial_ = Reply{};
            partial_.code = code;
            partial_.lines.emplace_back(line);
            if (separator == ' ') {
                reply = std::move(partial_);
                return Complete;
            }
            inReply_ = true;
            continue;
        }
        if (partial_.lines.size() >= MaxLines) return fail(TooLong);
        partial_.lines.emplace_back(line);
        if (code == partial_.code && separator == ' ') {
            inReply_ = false;
            reply = std::move(partial_);
            return Complete;
        }
    }
}

}  // namespace ftp
