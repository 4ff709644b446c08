#include "commands/key_names.h"

#include <gtest/gtest.h>

#include "commands/key_codes.h"

TEST(KeyNames, NamesAreCaseSensitiveAndACodeTakesItsFirstName) {
    EXPECT_EQ(keyNames().size(), 90u);
    EXPECT_EQ(keyName('A'), "A");
    EXPECT_EQ(keyCode("a"), 0);
    EXPECT_EQ(keyCode("esc"), 0);
    EXPECT_EQ(keyName(vk::EscapeMapped), "Esc");
    EXPECT_EQ(keyName(vk::OemComma), "<");
    EXPECT_EQ(keyCode(","), vk::OemComma);
    EXPECT_EQ(keyCode("nEnt"), vk::Separator);
    for (const KeyName& k : keyNames()) {
        EXPECT_EQ(keyCode(keyName(k.code)), k.code) << k.name;
    }
}

TEST(KeyNames, CodesWithoutANameShowTheirCharacter) {
    EXPECT_EQ(keyName(vk::PageUp), "!");
    EXPECT_EQ(keyName(0), "");
    EXPECT_EQ(keyName(0x100), "");
}

TEST(CharacterKeys, BothCharactersOfAKeyGiveItsCode) {
    EXPECT_EQ(charKeyCode('<'), 0xBC);
    EXPECT_EQ(charKeyCode(','), 0xBC);
    EXPECT_EQ(charKeyCode('_'), 0xE2);
    EXPECT_EQ(charKeyCode('|'), 0xDC);
    EXPECT_EQ(charKeyCode('a'), 'a');  // not folded here; the key box does that
    EXPECT_EQ(keyChar(0xBE), '>');
    EXPECT_EQ(keyChar(0xDC), '\\');
    EXPECT_EQ(keyChar('Q'), 'Q');
}
