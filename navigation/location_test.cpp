#include "navigation/location.h"

#include <gtest/gtest.h>

#include <thread>

TEST(Location, AChangeRemembersWhatWasListedAndOnlyThat) {
    const std::string c = "C:\\\x95\x5c", d = "D:\\\x83\x5c x";  // C:\表, D:\ソ x
    Location where;
    where.arrive(c, 3, true, true);  // the start: no history yet
    EXPECT_EQ(where.current(), c);
    EXPECT_TRUE(where.history().paths().empty());

    EXPECT_EQ(where.fallback(4), c);  // D has no memory: stay
    EXPECT_EQ(where.beginChange("D:", 4), "D:\\");
    EXPECT_EQ(where.previous(), c);
    where.arrive(d, 4, true, false);
    EXPECT_EQ(where.drives().current(), 4);
    EXPECT_EQ(where.drives().at(4), d);
    EXPECT_EQ(where.history().paths(), std::vector<std::string>{d});

    // A change that could not be listed falls back and remembers nothing.
    EXPECT_EQ(where.beginChange("E:\\gone", 5), "E:\\gone");
    EXPECT_EQ(where.previous(), d);
    const std::string back = where.fallback(5);
    EXPECT_EQ(back, d);
    where.arrive(back, 5, false, false);
    EXPECT_EQ(where.drives().current(), 4);
    EXPECT_TRUE(where.drives().at(5).empty());
    EXPECT_EQ(where.history().paths().size(), 1u);

    // A refresh (empty path) keeps the previous directory; stepping through
    // the history (keepHistory) does not reorder it.
    where.beginChange("", 4);
    EXPECT_EQ(where.previous(), d);
    where.arrive(c, 3, true, true);
    EXPECT_EQ(where.history().paths().size(), 1u);
    EXPECT_EQ(where.fallback(4), d);
}

TEST(Location, TheCurrentDirectoryIsReadWhileItChanges) {
    Location where;
    std::thread reader([&] {
        for (int i = 0; i < 2000; ++i) {
            std::string seen = where.current();
            ASSERT_TRUE(seen.empty() || seen == "C:\\a" || seen == "C:\\bbbbbbbbbbbbbbbbbbbbbbbbbbbbbb");
        }
    });
    for (int i = 0; i < 2000; ++i)
        where.setCurrent(i % 2 ? "C:\\a" : "C:\\bbbbbbbbbbbbbbbbbbbbbbbbbbbbbb");
    reader.join();
}
