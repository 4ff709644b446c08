#include "ftp/command_text.h"

#include <gtest/gtest.h>

#include "ftp/file_time.h"

namespace {

ftp::Reply reply(int code, std::vector<std::string> lines) {
    ftp::Reply r;
    r.code = code;
    r.lines = std::move(lines);
    return r;
}

TEST(CommandText, NoArgumentCanCarryASecondCommand) {
    EXPECT_EQ(ftp::commandLine("CWD", "/a b/\x95\x5C").value(), "CWD /a b/\x95\x5C\r\n");
    EXPECT_EQ(ftp::commandLine("PWD").value(), "PWD\r\n");
    EXPECT_EQ(ftp::commandLine("RETR", " lead").value(), "RETR  lead\r\n");
    for (const char* bad : {"a\r\nDELE x", "a\nb", "a\rb"})
        EXPECT_FALSE(ftp::commandLine("RETR", bad)) << bad;
    EXPECT_FALSE(ftp::commandLine("RETR", std::string_view("a\0b", 3)));
    EXPECT_FALSE(ftp::commandLine("DE LE", "x"));
}

TEST(CommandText, ActiveAndPassiveAddresses) {
    EXPECT_EQ(ftp::portArgument("127.0.0.1", 50001).value(), "127,0,0,1,195,81");
    EXPECT_FALSE(ftp::portArgument("::1", 21));
    EXPECT_FALSE(ftp::portArgument("256.1.1.1", 21));
    EXPECT_FALSE(ftp::portArgument("1.2.3", 21));
    EXPECT_EQ(ftp::eprtArgument("127.0.0.1", 6275), "|1|127.0.0.1|6275|");
    EXPECT_EQ(ftp::eprtArgument("::1", 6275), "|2|::1|6275|");

    struct Pasv {
        std::string text;
        std::string host;
        int port;  // -1: refused
    };
    const std::vector<Pasv> pasv = {
        {"227 Entering Passive Mode (127,0,0,1,195,81).", "127.0.0.1", 50001},
        {"227 Entering passive mode 10,1,2,3,4,5", "10.1.2.3", 1029},
        {"227 =192,168,0,9,0,21", "192.168.0.9", 21},
        {"227 Entering Passive Mode (1,2,3,4,5)", "", -1},
        {"227 Entering Passive Mode (300,2,3,4,5,6)", "", -1},
        {"227 Entering Passive Mode (1,2,3,4,0,0)", "", -1},
        {"227 nothing", "", -1},
    };
    for (const Pasv& p : pasv) {
        auto hp = ftp::parsePasv(reply(227, {p.text}));
        if (p.port < 0) {
            EXPECT_FALSE(hp) << p.text;
            continue;
        }
        ASSERT_TRUE(hp) << p.text;
        EXPECT_EQ(hp->host, p.host) << p.text;
        EXPECT_EQ(hp->port, p.port) << p.text;
    }
    const std::vector<std::pair<std::string, int>> epsv = {
        {"229 Entering Extended Passive Mode (|||6446|)", 6446},
        {"229 Entering Extended Passive Mode (!!!65535!)", 65535},
        {"229 Entering Extended Passive Mode (|||65536|)", -1},
        {"229 Entering Extended Passive Mode (|||0|)", -1},
        {"229 Entering Extended Passive Mode (|||12", -1},
        {"229 (1112)", -1},
        {"229 Entering Extended Passive Mode (|1|6446|)", -1},
    };
    for (const auto& [text, port] : epsv) {
        auto got = ftp::parseEpsv(reply(229, {text}));
        if (port < 0) EXPECT_FALSE(got) << text;
        else EXPECT_EQ(got.value_or(0), port) << text;
    }
}

TEST(CommandText, CurrentDirectoryFeaturesSizeAndTime) {
    EXPECT_EQ(ftp::parsePwd(reply(257, {"257 \"/pub/a \"\"b\"\"\" is current"})).value(), "/pub/a \"b\"");
    EXPECT_EQ(ftp::parsePwd(reply(257, {"257 \"/ \x8E\x91\x97\xBF\""})).value(), "/ \x8E\x91\x97\xBF");
    EXPECT_FALSE(ftp::parsePwd(reply(257, {"257 \"/unterminated"})));
    EXPECT_FALSE(ftp::parsePwd(reply(257, {"257 no quotes"})));
    EXPECT_FALSE(ftp::parsePwd(reply(550, {"550 \"/x\""})));

    auto f = ftp::parseFeatures(reply(211, {"211-Features:", " EPRT", " EPSV", " MDTM",
                                            " MLST type*;perm*;size*;modify*;", " REST STREAM",
                                            " SIZE", " TVFS", " UTF8", "211 End"}));
    EXPECT_TRUE(f.mlsd && f.utf8 && f.size && f.mdtm && f.epsv && f.rest);
    auto none = ftp::parseFeatures(reply(211, {"211-Features:", " PASV", "211 End"}));
    EXPECT_FALSE(none.mlsd || none.utf8 || none.size || none.mdtm || none.epsv);
    EXPECT_FALSE(ftp::parseFeatures(reply(500, {"500 FEAT not understood"})).mlsd);

    auto t = ftp::parseMdtm(reply(213, {"213 20240229235958"}));
    ASSERT_TRUE(t);
    ftp::CalendarTime c = ftp::calendarOf(*t);
    EXPECT_EQ(c.year * 10000 + c.month * 100 + c.day, 20240229);
    EXPECT_EQ(c.hour * 10000 + c.minute * 100 + c.second, 235958);
    EXPECT_EQ(ftp::parseMdtm(reply(213, {"213 19700101000000.5"})).value(),
              116444736000000000ull + 5000000);
    for (const char* bad : {"213 20230230120000", "213 2023", "213 20231301000000", "213 x"})
        EXPECT_FALSE(ftp::parseMdtm(reply(213, {bad}))) << bad;

    EXPECT_EQ(ftp::parseSize(reply(213, {"213 209715200"})).value(), 209715200u);
    EXPECT_FALSE(ftp::parseSize(reply(213, {"213 99999999999999999999999"})));
    EXPECT_FALSE(ftp::parseSize(reply(213, {"213 12a"})));
    EXPECT_FALSE(ftp::parseSize(reply(550, {"550 12"})));
}

}  // namespace
