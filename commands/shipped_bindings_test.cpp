#include "commands/shipped_bindings.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "base/text_file.h"

// The shipped file is the built-in map plus the additions, byte for byte, and
// no key of it is bound twice or takes a key the program forces.
TEST(ShippedKeyMap, FileHoldsTheBuiltInMapAndTheAdditionsEachKeyOnce) {
    const KeyMap shipped = shippedKeyMap();
    auto text = readTextFile(VORBIN_DATA_DIR "/KEY.TBL");
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, shipped.format()) << "data/KEY.TBL is out of step with the shipped bindings";

    std::set<std::tuple<int, bool, bool, bool>> keys;
    for (const KeyBinding& b : shipped.bindings())
        EXPECT_TRUE(keys.insert({b.key, b.shift, b.ctrl, b.alt}).second)
            << "key " << b.key << " bound twice";
    for (const DefaultBinding& f : forcedBindings())
        EXPECT_FALSE(keys.count({f.key, f.shift, f.ctrl, f.alt})) << "forced key " << f.key;
    KeyMap builtIn;
    addBuiltInBindings(builtIn);
    for (const KeyBinding& b : builtIn.bindings())
        EXPECT_EQ(shipped.lookup(b.key, b.shift, b.ctrl, b.alt).command, b.command);
}
