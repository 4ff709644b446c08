#include "ftp/reply.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ReplyCase {
    const char* what;
    std::string stream;
    std::size_t chunk;              // bytes per feed, to cut lines anywhere
    std::vector<int> codes;         // replies expected in order
    std::vector<std::size_t> lines; // line count of each
    ftp::ReplyReader::Status last;  // what next() answers at the end
};

TEST(ReplyReader, ReadsRepliesFromAnyCutOfTheStream) {
    std::string many = "211-Features\r\n";
    for (int i = 0; i < 5000; ++i) many += " X\r\n";
    many += "211 End\r\n";
    const std::vector<ReplyCase> cases = {
        {"one line", "220 ready\r\n", 1, {220}, {1}, ftp::ReplyReader::NeedMore},
        {"bare code", "200\r\n331 pass\r\n", 3, {200, 331}, {1, 1}, ftp::ReplyReader::NeedMore},
        {"LF only", "230 in\n250 ok\n", 100, {230, 250}, {1, 1}, ftp::ReplyReader::NeedMore},
        {"multi-line, inner lines with other codes and own code without blank",
         "211-Features:\r\n MLST type*;\r\n123 not the end\r\n211-still\r\n211 End\r\n226 ok\r\n", 7,
         {211, 226}, {5, 1}, ftp::ReplyReader::NeedMore},
        {"partial reply waits", "220-hello\r\n welcome\r\n", 4, {}, {}, ftp::ReplyReader::NeedMore},
        {"garbage first line", "HTTP/1.1 400 Bad\r\n", 5, {}, {}, ftp::ReplyReader::Malformed},
        {"code out of range", "999 what\r\n", 50, {}, {}, ftp::ReplyReader::Malformed},
        {"wrong separator", "220x\r\n", 50, {}, {}, ftp::ReplyReader::Malformed},
        {"good then garbage", "220 ok\r\n\x01\x02\r\n", 2, {220}, {1}, ftp::ReplyReader::Malformed},
        {"endless line", "220 " + std::string(20000, 'a'), 1000, {}, {},
         ftp::ReplyReader::TooLong},
        {"endless multi-line reply", many, 4096, {}, {}, ftp::ReplyReader::TooLong},
    };
    for (const ReplyCase& c : cases) {
        ftp::ReplyReader reader;
        std::vector<ftp::Reply> got;
        ftp::ReplyReader::Status status = ftp::ReplyReader::NeedMore;
        for (std::size_t at = 0; at < c.stream.size() && status != ftp::ReplyReader::Malformed &&
                                 status != ftp::ReplyReader::TooLong;
             at += c.chunk) {
            reader.feed(std::string_view(c.stream).substr(at, c.chunk));
            ftp::Reply r;
            while ((status = reader.next(r)) == ftp::ReplyReader::Complete) got.push_back(r);
        }
        EXPECT_EQ(status, c.last) << c.what;
        ASSERT_EQ(got.size(), c.codes.size()) << c.what;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].code, c.codes[i]) << c.what;
            EXPECT_EQ(got[i].lines.size(), c.lines[i]) << c.what;
        }
    }
}

TEST(ReplyReader, TextIsTheLastLineAfterItsCode) {
    ftp::ReplyReader reader;
    reader.feed("550-No such\r\n file here\r\n550 Failed to change directory.\r\n");
    ftp::Reply r;
    ASSERT_EQ(reader.next(r), ftp::ReplyReader::Complete);
    EXPECT_EQ(r.text(), "Failed to change directory.");
    EXPECT_EQ(r.kind(), 5);
    EXPECT_FALSE(r.ok());
}

}  // namespace
