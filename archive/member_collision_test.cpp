#include "archive/member_collision.h"

#include <gtest/gtest.h>

TEST(MemberCollision, NamesThatLandOnOneFile) {
    using Names = std::vector<std::string>;
    const Names files = {
        "A.txt", "a.txt",                       // case only
        "__ _.txt", "docs/__ _.txt",            // shown with "_", in different folders
        "docs\\b.txt", "DOCS/B.TXT",            // either separator, case
        "\x95\x5c/c.txt", "\x95\x5c/C.txt",     // 表/: the trail byte is no separator, nor a letter
        "\x95\x7c.txt", "\x95\x5c.txt",         // two different characters
        "once.txt",
    };
    struct Case {
        const char* what;
        Names requested;
        Names clashes;
    } cases[] = {
        {"the whole archive", {}, {"a.txt", "DOCS/B.TXT", "\x95\x5c/C.txt"}},
        // The library picks members by a name that ignores case: both.
        {"one of a pair", {"a.txt"}, {"a.txt"}},
        {"both of a pair, as marked", {"A.txt", "a.txt"}, {"a.txt"}},
        {"a folder by either separator", {"docs"}, {"DOCS/B.TXT"}},
        {"a folder with its separator", {"Docs\\"}, {"DOCS/B.TXT"}},
        {"a trail-byte folder", {"\x95\x5c"}, {"\x95\x5c/C.txt"}},
        {"a name once only", {"once.txt", "__ _.txt"}, {}},
        {"nothing requested there", {"absent"}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(collidingMembers(files, c.requested), c.clashes) << c.what;
    }
}
