#include "panes/vanished_directory.h"

#include <gtest/gtest.h>

#include <set>

TEST(VanishedDirectory, NearestDirectoryLeftAbove) {
    const std::set<std::string> left = {"C:\\", "C:\\t", "C:\\\x95\x5c", "\\\\pc\\share"};
    auto exists = [&](const std::string& p) { return left.count(p) > 0; };
    struct Case {
        const char* gone;
        const char* expected;
    } cases[] = {
        {"C:\\t\\t1\\Alpha", "C:\\t"},
        {"C:\\t\\t1", "C:\\t"},
        {"C:\\other", "C:\\"},
        {"C:\\\x95\x5c\\\x83\x5c", "C:\\\x95\x5c"},  // 表\ソ: trail bytes are no separators
        {"D:\\gone\\too", ""},                         // the whole drive is gone
        {"\\\\pc\\share\\a\\b", "\\\\pc\\share"},
        {"\\\\pc\\gone\\a", ""},                       // never the bare server
        {"|ftp.example/pub/x", ""},
        {"x.lzh>dir", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(nearestExistingAncestor(c.gone, exists), c.expected) << c.gone;
}
