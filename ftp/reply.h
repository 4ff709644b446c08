#pragma once
// Control-connection replies: "ddd text" or a multi-line "ddd-" ... "ddd text",
// read from bytes as they arrive. A server may send anything; what is not a
// reply ends the reading with an error instead of waiting or growing.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ftp {

struct Reply {
    int code = 0;                    // 100 to 599
    std::vector<std::string> lines;  // every line as sent, without CR LF
    int kind() const { return code / 100; }
    bool ok() const { return code >= 200 && code < 400; }
    // The text of the last line after its code, for messages.
    std::string text() const;
};

class ReplyReader {
public:
    enum Status { NeedMore, Complete, Malformed, TooLong };

    // Longer lines and longer replies are refused, not kept.
    static constexpr std::size_t MaxLine = 8192;
    static constexpr std::size_t MaxLines = 4096;

    // Takes the bytes that arrived; call next() until it answers NeedMore.
    void feed(std::string_view bytes);
    // Complete: reply holds the next reply. Malformed and TooLong are final:
    // the connection is not to be trusted any further.
    Status next(Reply& reply);
    // Bytes received but not yet part of a reply.
    std::size_t pending() const { return buffer_.size() - start_; }

private:
    Status fail(Status s);
    std::string buffer_;
    std::size_t start_ = 0;
    Reply partial_;
    bool inReply_ = false;
    Status broken_ = NeedMore;
};

}  // namespace ftp
