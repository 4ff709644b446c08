#include "app/set_view_rules.h"

#include <gtest/gtest.h>

TEST(SetViewRules, SwitchBoxes) {
    EXPECT_EQ(openingBoxes(true, true, true), (DisplaySwitchBoxes{true, false, false}));
    EXPECT_EQ(openingBoxes(false, true, false), (DisplaySwitchBoxes{false, true, false}));
    struct Case {
        DisplaySwitchBoxes before;
        SwitchBox clicked;
        DisplaySwitchBoxes after;
    };
    const Case cases[] = {
        {{false, true, true}, SwitchBox::Auto, {true, false, false}},
        {{true, false, false}, SwitchBox::Time, {false, false, true}},
        {{true, false, false}, SwitchBox::Size, {false, true, false}},
        {{false, true, true}, SwitchBox::Size, {false, false, true}},
        {{false, true, false}, SwitchBox::Time, {false, true, true}},
    };
    for (const Case& c : cases) EXPECT_EQ(clickSwitch(c.before, c.clicked), c.after);
}

TEST(SetViewRules, FindKeysAndCacheLife) {
    const std::pair<char, int> keys[] = {{'A', 0}, {'D', 3}, {'Z', 25}, {0, -1}, {'a', -1}, {'@', -1}};
    for (auto [c, i] : keys) EXPECT_EQ(findKeyIndex(c), i) << int(c);
    EXPECT_EQ(findKeyFromIndex(-1), '@');
    EXPECT_EQ(findKeyFromIndex(0), 'A');
    EXPECT_EQ(findKeyFromIndex(25), 'Z');
    EXPECT_EQ(findKeyFromIndex(26), '@');
    for (long long ok : {0LL, 1LL, 100LL}) EXPECT_TRUE(cacheLifeInRange(ok)) << ok;
    for (long long bad : {-1LL, 101LL, 120LL}) EXPECT_FALSE(cacheLifeInRange(bad)) << bad;
}
