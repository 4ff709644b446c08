#include "ftp/ftp_path.h"

#include <gtest/gtest.h>

#include <map>

#include "ftp/account.h"
#include "ftp/file_time.h"
#include "ftp/time_rule.h"

namespace {

TEST(FtpPath, HostPortAndPathForms) {
    struct PathCase {
        const char* text;
        const char* host;  // nullptr: refused
        int port;
        const char* path;
        const char* key;
        const char* canonical;
    };
    const std::vector<PathCase> cases = {
        {"|myhost/pub/dir", "myhost", 21, "/pub/dir", "myhost", "|myhost/pub/dir"},
        {"|myhost\\pub\\dir\\", "myhost", 21, "/pub/dir", "myhost", "|myhost/pub/dir"},
        {"|127.0.0.1:2121/", "127.0.0.1", 2121, "/", "127.0.0.1:2121", "|127.0.0.1:2121/"},
        {"|127.0.0.1:21/a", "127.0.0.1", 21, "/a", "127.0.0.1", "|127.0.0.1/a"},
        {"|host", "host", 21, "", "host", "|host"},
        {"|[::1]:2121/x", "::1", 2121, "/x", "[::1]:2121", "|[::1]:2121/x"},
        {"|h/\x95\x5C/\x83\x5C", "h", 21, "/\x95\x5C/\x83\x5C", "h", "|h/\x95\x5C/\x83\x5C"},
        {"|h:0/", nullptr, 0, "", "", ""},
        {"|h:65536/", nullptr, 0, "", "", ""},
        {"|h:/", nullptr, 0, "", "", ""},
        {"|:21/", nullptr, 0, "", "", ""},
        {"|/x", nullptr, 0, "", "", ""},
        {"C:\\x", nullptr, 0, "", "", ""},
        {"|a b/", nullptr, 0, "", "", ""},
    };
    for (const PathCase& c : cases) {
        auto p = ftp::parseFtpPath(c.text);
        if (!c.host) {
            EXPECT_FALSE(p) << c.text;
            continue;
        }
        ASSERT_TRUE(p) << c.text;
        EXPECT_EQ(p->host, c.host) << c.text;
        EXPECT_EQ(p->port, c.port) << c.text;
        EXPECT_EQ(p->path, c.path) << c.text;
        EXPECT_EQ(p->hostKey(), c.key) << c.text;
        EXPECT_EQ(p->canonical(), c.canonical) << c.text;
    }
    EXPECT_EQ(ftp::parentPath("/a/b"), "/a");
    EXPECT_EQ(ftp::parentPath("/a"), "/");
    EXPECT_EQ(ftp::slashCount("|h:2121/a/b"), 2);
}

TEST(FtpPath, MirrorCacheKeyAndCacheFile) {
    EXPECT_EQ(ftp::localMirror("C:\\T\\V_WORK\\W_FTP", "|h/a/b.txt"), "C:\\T\\V_WORK\\W_FTP\\h\\a\\b.txt");
    EXPECT_EQ(ftp::localMirror("C:\\W\\", "|127.0.0.1:2121/\x95\x5C"), "C:\\W\\127.0.0.1_2121\\\x95\x5C");
    EXPECT_EQ(ftp::localMirror("C:\\W", "C:\\local"), "C:\\local");
    EXPECT_EQ(ftp::cacheKey("|h\\\\a\\b"), "|h!!a/b");
    EXPECT_EQ(ftp::cacheKey("\x95\x5C\\x"), "\x95\x5C/x");
    EXPECT_EQ(ftp::cacheFileName("127.0.0.1:2121"), "127.0.0.1_2121");
    EXPECT_EQ(ftp::cacheFileName("a|b>c/d\\e"), "a_b_c_d_e");
}

class MapProfile final : public Profile {
public:
    std::string read(const std::string& s, const std::string& k) override { return values[s + "/" + k]; }
    void write(const std::string& s, const std::string& k, const std::string& v) override {
        values[s + "/" + k] = v;
    }
    std::map<std::string, std::string> values;
};

TEST(FtpAccount, StoredUnderTheHostKeyWithTheEncodedPassword) {
    MapProfile profile;
    ftp::writeAccount(profile, "127.0.0.1:2121", {"alice", "s3cret pass", true});
    EXPECT_EQ(profile.values["FTP/127.0.0.1:2121_USER"], "alice");
    EXPECT_EQ(profile.values["FTP/127.0.0.1:2121_PASV"], "1");
    const std::string stored = profile.values["FTP/127.0.0.1:2121_PASS"];
    EXPECT_EQ(stored.find("s3cret"), std::string::npos);
    ftp::Account back = ftp::readAccount(profile, "127.0.0.1:2121");
    EXPECT_EQ(back.user, "alice");
    EXPECT_EQ(back.password, "s3cret pass");
    EXPECT_TRUE(back.passive && back.usable());
    // The same bytes under another host read back as something else.
    profile.values["FTP/other_PASS"] = stored;
    profile.values["FTP/other_USER"] = "alice";
    EXPECT_NE(ftp::readAccount(profile, "other").password, "s3cret pass");
    EXPECT_FALSE(ftp::readAccount(profile, "nobody").usable());
}

TEST(FtpTimeRule, NineHoursAndOneYear) {
    auto t = [](int y, int mo, int d, int h) { return ftp::fileTimeOf({y, mo, d, h, 0, 0}).value(); };
    const uint64_t now = t(2026, 3, 15, 12);
    struct TimeCase {
        uint64_t in;
        bool exact;
        uint64_t out;
    };
    const std::vector<TimeCase> cases = {
        {t(2026, 3, 1, 10), false, t(2026, 3, 1, 1)},
        {t(2026, 1, 1, 5), false, t(2025, 12, 31, 20)},
        {t(2026, 3, 20, 10), false, t(2025, 3, 20, 1)},   // would lie ahead
        {t(2028, 2, 29, 12), false, t(2027, 2, 28, 3)},
        {t(2026, 3, 1, 10), true, t(2026, 3, 1, 10)},     // MLSD: exact already
        {0, false, 0},
    };
    for (const TimeCase& c : cases) EXPECT_EQ(ftp::correctedTime(c.in, c.exact, now), c.out);
}

}  // namespace
