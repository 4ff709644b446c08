#include "navigation/key_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {

KeyTable parsed(std::string_view text) {
    KeyTable t;
    t.parse(text);
    return t;
}

std::string keys(const KeyTable& t) {
    std::string out;
    for (const KeyPair& p : t.pairs()) out += p.key;
    return out;
}

}  // namespace

TEST(KeyTableParse, SortsStablyAndTheLaterOfEqualKeysWinsAKeyPress) {
    KeyTable t = parsed("a,C:\\early\nB,C:\\b\n3,C:\\three\nA,C:\\late\n");
    // Both a and A stay, in file order, after the digit.
    EXPECT_EQ(keys(t), "3aAB");
    ASSERT_NE(t.find('A'), nullptr);
    EXPECT_EQ(*t.find('A'), "C:\\late");
    EXPECT_EQ(*t.find('a'), "C:\\late");
    EXPECT_EQ(*t.find('b'), "C:\\b");
    EXPECT_EQ(t.find('Z'), nullptr);
}

TEST(KeyTableParse, CommentsLineEndsSecondCharacterAndLongLines) {
    const std::string longPath = "C:\\" + std::string(1500, 'x');
    KeyTable t = parsed("# jump keys\r\n1;D:\\semi\r\nQ\n\n2," + longPath + "\n#,C:\\not a key\n7,");
    ASSERT_EQ(keys(t), "127Q");
    EXPECT_EQ(t.pairs()[0].text, "D:\\semi");  // the second character is skipped whatever it is
    EXPECT_EQ(t.pairs()[1].text, longPath);    // read whole, not in pieces
    EXPECT_EQ(t.pairs()[2].text, "");
    EXPECT_EQ(t.pairs()[3].text, "");
    EXPECT_EQ(t.find('#'), nullptr);
}

TEST(KeyTableSet, StoresWhereTheKeyPressLooksAndSortsNewKeysIn) {
    KeyTable t = parsed("a,C:\\early\nA,C:\\late\nZ,C:\\z\n");
    t.set('A', "D:\\new");
    EXPECT_EQ(*t.find('A'), "D:\\new");
    EXPECT_EQ(t.pairs()[0].text, "C:\\early");
    t.setLine("5,E:\\five,with comma");
    t.set('M', "F:\\m");
    EXPECT_EQ(keys(t), "5aAMZ");
    EXPECT_EQ(*t.find('5'), "E:\\five,with comma");
    EXPECT_TRUE(t.remove(0));
    EXPECT_FALSE(t.remove(4));
    EXPECT_EQ(t.find('5'), nullptr);
    EXPECT_EQ(t.format(), "a,C:\\early\nA,D:\\new\nM,F:\\m\nZ,C:\\z\n");
}

TEST(KeyTableFile, SaveLoadRoundTripAndMissingFile) {
    std::random_device random;
    const fs::path dir = fs::temp_directory_path() / ("key_table_" + std::to_string(random()));
    fs::create_directories(dir);
    const std::string file = (dir / "JUMP.TBL").string();

    KeyTable t;
    t.set('J', "C:\\\x95\x5c\\dir");  // a double-byte name ending in the byte of "\"
    t.set('0', "\\\\pc\\share");
    ASSERT_TRUE(t.save(file));
    KeyTable loaded;
    ASSERT_TRUE(loaded.load(file));
    EXPECT_EQ(loaded.format(), "0,\\\\pc\\share\nJ,C:\\\x95\x5c\\dir\n");

    EXPECT_FALSE(loaded.load((dir / "missing.tbl").string()));
    EXPECT_TRUE(loaded.pairs().empty());
    fs::remove_all(dir);
}
