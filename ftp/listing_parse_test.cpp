#include "ftp/listing_parse.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include "ftp/server_names.h"

namespace {

// The program converts with the platform; here iconv does it.
class IconvCodec final : public ftp::NameCodec {
public:
    std::string utf8ToSjis(std::string_view s) const override { return convert(s, "CP932", "UTF-8"); }
    std::string sjisToUtf8(std::string_view s) const override { return convert(s, "UTF-8", "CP932"); }

private:
    static std::string convert(std::string_view s, const char* to, const char* from) {
        iconv_t cd = iconv_open(to, from);
        std::string out;
        std::string in(s);
        char* inp = in.data();
        std::size_t left = in.size();
        while (left > 0) {
            char buf[256];
            char* outp = buf;
            std::size_t room = sizeof buf;
            std::size_t r = iconv(cd, &inp, &left, &outp, &room);
            out.append(buf, outp);
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
                if (std::string(from) == "CP932") {
                    out.clear();
                    break;
                }
                // Skip one UTF-8 character the code page cannot hold.
                out += '?';
                do {
                    ++inp;
                    --left;
                } while (left > 0 && (static_cast<unsigned char>(*inp) & 0xC0) == 0x80);
            }
        }
        iconv_close(cd);
        return out;
    }
};

uint64_t at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return ftp::fileTimeOf({y, mo, d, h, mi, s}).value();
}

const ftp::CalendarTime Now{2026, 3, 15, 12, 0, 0};

struct LineCase {
    const char* line;
    bool mlsd;
    std::string name;  // "" when the line is no entry
    bool directory;
    uint64_t size;
    uint64_t time;
};

TEST(ListingParse, RealLinesOfEachServerStyle) {
    const std::vector<LineCase> cases = {
        // GNU ls and the servers that imitate it.
        {"drwxr-xr-x    2 ftp      ftp          4096 Mar 02 09:05 pub", false, "pub", true, 0, at(2026, 3, 2, 9, 5)},
        {"-rw-r--r--    1 1000     1000     209715200 Jan  7  2019 big.bin", false, "big.bin", false, 209715200, at(2019, 1, 7)},
        {"-rw-r--r-- 1 owner group 12 Dec 31 23:59 last year.txt", false, "last year.txt", false, 12, at(2025, 12, 31, 23, 59)},
        {"-rw-r--r-- 1 owner group 12 Mar 16 08:00 tomorrow", false, "tomorrow", false, 12, at(2026, 3, 16, 8, 0)},
        {"-rw-r--r--   1 user  group   5 Feb 29  2024  leading blank", false, " leading blank", false, 5, at(2024, 2, 29)},
        {"-rw-r--r--   1 user  group   5 Feb 28 10:00 trailing blank ", false, "trailing blank ", false, 5, at(2026, 2, 28, 10)},
        {"-rw-r--r-- 1 owner 1234 Jan 1 2020 no group", false, "no group", false, 1234, at(2020, 1, 1)},
        {"lrwxrwxrwx 1 root root 7 Apr  1  2021 lib -> usr/lib", false, "lib", false, 7, at(2021, 4, 1)},
        {"crw-rw-rw- 1 root root 1, 3 Jun 10  2020 null", false, "null", false, 3, at(2020, 6, 10)},
        {"-rw-r--r--+ 1 u g 10 2023-07-04 18:30 iso style", false, "iso style", false, 10, at(2023, 7, 4, 18, 30)},
        {"-rw-r--r-- 1 u g 10 3\xE6\x9C\x88 5 11:00 utf8 month", false, "utf8 month", false, 10, at(2026, 3, 5, 11)},
        {"-rw-r--r-- 1 u g 10 3\x8C\x8E 5\x93\xFA 11:00 \x95\x5C.txt", false, "\x95\x5C.txt", false, 10, at(2026, 3, 5, 11)},
        {"-rw-r--r-- 1 u 2024 group 77 May 9 2022 owner named like a year", false, "owner named like a year", false, 77, at(2022, 5, 9)},
        {"total 1234", false, "", false, 0, 0},
        // DOS style.
        {"01-15-21  03:04PM       <DIR>          sub dir", false, "sub dir", true, 0, at(2021, 1, 15, 15, 4)},
        {"01-15-21  12:04AM       <DIR>           lead", false, " lead", true, 0, at(2021, 1, 15, 0, 4)},
        {"12-31-99  11:59AM                 1234 old.txt", false, "old.txt", false, 1234, at(1999, 12, 31, 11, 59)},
        {"07-04-2023  18:30       1,048,576 four digit.bin", false, "four digit.bin", false, 1048576, at(2023, 7, 4, 18, 30)},
        {"07/04/2023  06:30 PM    <DIR>  slashes", false, "slashes", true, 0, at(2023, 7, 4, 18, 30)},
        {"13-40-21  03:04PM  <DIR> bad date", false, "", false, 0, 0},
        // MLSD facts.
        {"type=file;size=5;modify=20240101123456;perm=r;unix.mode=0644; a b.txt", true, "a b.txt", false, 5, at(2024, 1, 1, 12, 34, 56)},
        {"Type=dir;Modify=20230304050607.123;Perm=flcdmpe; Sub", true, "Sub", true, 0, at(2023, 3, 4, 5, 6, 7) + 1230000},
        {"type=file;size=1;  two leading", true, " two leading", false, 1, 0},
        {"type=OS.unix=slink:/etc;modify=20200101000000; etc", true, "etc", false, 0, at(2020, 1, 1)},
        {"type=cdir;modify=20200101000000; .", true, "", false, 0, 0},
        {"type=pdir; ..", true, "", false, 0, 0},
        {"size=5; untyped", true, "", false, 0, 0},
        {"type=file;size=5 nosemicolon", true, "", false, 0, 0},
    };
    for (const LineCase& c : cases) {
        ftp::ListedEntry e;
        ftp::LineKind kind = c.mlsd ? ftp::parseMlsdLine(c.line, e) : ftp::parseUnixLine(c.line, Now, e);
        if (!c.mlsd && kind == ftp::LineKind::Unknown) kind = ftp::parseDosLine(c.line, e);
        if (c.name.empty()) {
            EXPECT_NE(kind, ftp::LineKind::Entry) << c.line << " gave " << e.name;
            continue;
        }
        ASSERT_EQ(kind, ftp::LineKind::Entry) << c.line;
        EXPECT_EQ(e.name, c.name) << c.line;
        EXPECT_EQ(e.directory, c.directory) << c.line;
        EXPECT_EQ(e.size, c.size) << c.line;
        EXPECT_EQ(e.time, c.time) << c.line;
        EXPECT_EQ(e.exactTime, c.mlsd && c.time != 0) << c.line;
    }
}

TEST(ListingParse, OnlyWholeLinesOfUnknownFormAreCutAtTheirLastBlank) {
    ftp::Listing whole = ftp::parseListing("+i8388621.48594,m825718503,r,s280, a.txt\r\n"
                                           "+i8388621.50690,m824255907,/, pub\r\n", false, Now);
    EXPECT_TRUE(whole.wholeLines);
    ASSERT_EQ(whole.entries.size(), 2u);
    EXPECT_EQ(whole.entries[0].name, "a.txt");
    EXPECT_EQ(whole.entries[1].name, "pub");

    // Bare names (an NLST-like answer) stay whole.
    ftp::Listing bare = ftp::parseListing("one\r\ntwo\r\n", false, Now);
    EXPECT_FALSE(bare.wholeLines);
    ASSERT_EQ(bare.entries.size(), 2u);

    // Understood lines keep their blanks even beside lines we do not know.
    ftp::Listing mixed = ftp::parseListing(
        "-rw-r--r-- 1 u g 1 Jan 1 2020 name with blanks\r\nsome banner line\r\n", false, Now);
    EXPECT_FALSE(mixed.wholeLines);
    EXPECT_EQ(mixed.unknownLines, 1);
    ASSERT_EQ(mixed.entries.size(), 1u);
    EXPECT_EQ(mixed.entries[0].name, "name with blanks");

    // An MLSD name with a line break in it is no name at all.
    ftp::Listing broken = ftp::parseListing("type=file;size=1; line\nbreak\r\ntype=file;size=2; ok\r\n",
                                            true, Now);
    ASSERT_EQ(broken.entries.size(), 1u);
    EXPECT_EQ(broken.entries[0].name, "ok");
}

TEST(ServerNames, ConvertedAndUnsafeNamesRefused) {
    IconvCodec codec;
    struct NameCase {
        std::string server;
        bool utf8;
        std::string expected;  // "" = refused
    };
    const std::vector<NameCase> cases = {
        {"\xE8\xA1\xA8 \xE3\x82\xBD.txt", true, "\x95\x5C \x83\x5C.txt"},   // 表 ソ from UTF-8
        {"\x95\x5C\x83\x5C", false, "\x95\x5C\x83\x5C"},                   // Shift-JIS kept
        {"\x95\x5C\x83\x5C", true, "\x95\x5C\x83\x5C"},                    // not UTF-8: kept
        {"\xED\x95\x9C\xEA\xB8\x80", true, "??"},                           // Korean
        {"\xF0\x9F\x98\x80.png", true, "?.png"},                            // emoji
        {"  blank lead", true, "  blank lead"},
        {"..", false, ""}, {".", false, ""}, {"a/b", false, ""}, {"..\\..\\x", false, ""},
        {"a\\b", false, ""}, {"c:evil", false, ""}, {"Z:\\evil", false, ""},
        {"line\rRETR x", false, ""}, {"x\ny", false, ""},
        {"\xE2\x80\xA6/", true, ""},
        {std::string("\xE8\x00@", 3), false, ""}, {"\x81\nDELE x", false, ""},
        {"\x81/x", false, ""}, {"\x81\r", false, ""},
    };
    for (const NameCase& c : cases) {
        ftp::Listing l;
        l.entries.push_back({c.server});
        int refused = ftp::acceptListedNames(l, c.utf8, codec);
        if (c.expected.empty()) {
            EXPECT_TRUE(l.entries.empty()) << c.server;
            EXPECT_EQ(refused, c.server == "." || c.server == ".." ? 0 : 1) << c.server;
        } else {
            ASSERT_EQ(l.entries.size(), 1u) << c.server;
            EXPECT_EQ(l.entries[0].name, c.expected) << c.server;
        }
    }
    EXPECT_EQ(ftp::nameToServer("/\x95\x5C", true, codec), "/\xE8\xA1\xA8");
    EXPECT_EQ(ftp::nameToServer("/\x95\x5C", false, codec), "/\x95\x5C");
    EXPECT_FALSE(ftp::isValidUtf8("\xC0\xAF"));      // overlong "/"
    EXPECT_FALSE(ftp::isValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(ftp::isValidUtf8("\xE3\x81"));      // cut short
}

}  // namespace
