#include "ftp/listing_cache.h"

#include <gtest/gtest.h>

namespace {

ftp::LocalClock utc() {
    return {[](uint64_t t) { return ftp::calendarOf(t); },
            [](const ftp::CalendarTime& c) { return ftp::fileTimeOf(c); }};
}

uint64_t at(int y, int mo, int d) { return ftp::fileTimeOf({y, mo, d, 10, 20, 30}).value(); }

ftp::ListedEntry entry(const std::string& name, bool dir, uint64_t size, uint64_t time) {
    ftp::ListedEntry e;
    e.name = name;
    e.directory = dir;
    e.size = size;
    e.time = time;
    return e;
}

TEST(ListingCache, LookupByDirectoryOrFileAndRefusedListings) {
    ftp::ListingCache cache;
    cache.store("h:2121", "/", {entry("pub", true, 0, at(2026, 1, 1)), entry("a b.txt", false, 5, at(2026, 1, 2))},
                at(2026, 3, 1));
    cache.store("h:2121", "/pub", {}, at(2026, 3, 1));
    cache.store("h:2121", "/old", {entry("x", false, 1, 0)}, at(2026, 3, 1));

    struct Case {
        std::string host, path;
        bool hit;
        std::string cutTo;
    };
    const std::vector<Case> cases = {
        {"h:2121", "/", true, "/"},
        {"h:2121", "", true, "/"},
        {"h:2121", "/a b.txt", true, "/"},  // a file of a cached directory
        {"h:2121", "/pub", false, ""},      // no entries
        {"h:2121", "/old", false, ""},      // a time of 1970
        {"h:2121", "/missing/deeper", false, ""},
        {"h", "/", false, ""},              // port 21 is another host key
    };
    for (const Case& c : cases) {
        std::string path = c.path;
        auto got = cache.lookup(c.host, path);
        EXPECT_EQ(got.has_value(), c.hit) << c.host << c.path;
        if (c.hit) EXPECT_EQ(path, c.cutTo) << c.path;
    }
    cache.forget("h:2121", "/");
    std::string root = "/";
    EXPECT_FALSE(cache.lookup("h:2121", root));
}

TEST(ListingCache, SavedFileRoundTripAndLife) {
    ftp::ListingCache cache;
    const std::string odd = "say \"hi\", \x95\x5C";
    cache.store("h", "/", {entry("d, comma", true, 0, at(2025, 12, 31)), entry(odd, false, 1ull << 33, at(2026, 2, 2))},
                at(2026, 3, 1));
    cache.store("h", "/d, comma", {entry("in.txt", false, 7, at(2026, 2, 3))}, at(2026, 3, 2));
    cache.store("h", "/a", {entry("z", false, 1, at(2026, 2, 3))}, at(2026, 1, 1));
    const std::string text = cache.save("h", utc());
    // Parents before children, whatever the names sort like.
    EXPECT_LT(text.find("@/,"), text.find("@/a,"));
    EXPECT_LT(text.find("@/,"), text.find("@/d, comma,"));

    struct Case {
        int life;
        uint64_t now;
        int blocks;
    };
    for (const Case& c : std::vector<Case>{{0, at(2030, 1, 1), 3}, {30, at(2026, 3, 10), 2}, {100, at(2026, 3, 10), 3},
                                           {5, at(2026, 3, 5), 2}, {5, at(2026, 3, 6), 1}}) {
        ftp::ListingCache back;
        EXPECT_EQ(back.load("h", text + "garbage line\n\"unterminated\n@,,,\n", c.life, c.now, utc()), c.blocks)
            << c.life;
    }
    ftp::ListingCache back;
    back.load("h", text, 0, 0, utc());
    std::string path = "/";
    auto root = back.lookup("h", path);
    ASSERT_TRUE(root);
    ASSERT_EQ(root->size(), 2u);
    EXPECT_EQ((*root)[0].name, "d, comma");
    EXPECT_TRUE((*root)[0].directory);
    EXPECT_EQ((*root)[1].name, odd);
    EXPECT_EQ((*root)[1].size, 1ull << 33);
    EXPECT_EQ((*root)[1].time, at(2026, 2, 2));
    path = "/d, comma";
    EXPECT_TRUE(back.lookup("h", path));
}

}  // namespace
