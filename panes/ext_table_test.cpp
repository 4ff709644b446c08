#include "panes/ext_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

namespace {

constexpr uint32_t ReadOnly = 0x01, Hidden = 0x02, System = 0x04, Directory = 0x10,
                   Archive = 0x20, Normal = 0x80, Temporary = 0x100;

ExtTable parsed(std::string_view text) {
    ExtTable table;
    table.parse(text);
    return table;
}

const char* const Pairs = "c0c0c0,0,\"\",0,\"\"\nffff,0,\"\",0,\"\"\n";

class ExtTableFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        dir = fs::temp_directory_path() / ("ext_table_" + std::to_string(random()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST(ExtTableFormat, WritesFiveFieldsInLowerCaseHex) {
    ExtTable table;
    table.setDefaultPair({0xC0C0C0, 0});
    table.setTodayPair({0x00FFFF, 0x000001});
    table.append({"txt", 0x20, 0xABCDEF, 0, "CMD_EDIT"});
    table.append({"", 0x10, 0xFFFF00, 0, "CMD_NONE"});
    EXPECT_EQ(table.format(),
              "c0c0c0,0,\"\",0,\"\"\n"
              "ffff,1,\"\",0,\"\"\n"
              "abcdef,0,\"TXT\",20,\"CMD_EDIT\"\n"
              "ffff00,0,\"\",10,\"CMD_NONE\"\n");
}

TEST_F(ExtTableFile, SaveAndLoadRoundTrip) {
    ExtTable table;
    table.setDefaultPair({0xC0C0C0, 0x100000});
    table.setTodayPair({0x00FFFF, 0});
    table.append({"\x95\x5C\x82\xA0", 0x20, 0x00FF00, 0, "CMD_EXECUTE"});  // double-byte ext
    table.append({"TXT", 0x20, 0xFFFFFF, 0x800000, "notepad.exe %s, -r"});
    table.append({"", 0x02, 0x808080, 0, "CMD_NONE"});
    ASSERT_TRUE(table.save(file("Color.tbl")));

    ExtTable loaded;
    ASSERT_TRUE(loaded.load(file("Color.tbl")));
    EXPECT_EQ(loaded.defaultPair(), table.defaultPair());
    EXPECT_EQ(loaded.todayPair(), table.todayPair());
    ASSERT_EQ(loaded.rules().size(), 3u);
    EXPECT_EQ(loaded.rules()[0].ext, "\x95\x5C\x82\xA0");
    EXPECT_EQ(loaded.rules()[1].command, "notepad.exe %s, -r");
    EXPECT_EQ(loaded.rules()[1].backColor, 0x800000u);
    EXPECT_EQ(loaded.rules()[2].attributeMask, 0x02u);
    EXPECT_EQ(loaded.format(), table.format());
    EXPECT_EQ(loaded.colours("txt", Archive), (ColourPair{0xFFFFFF, 0x800000}));
}

TEST_F(ExtTableFile, SavingKeepsTheFilesCommentsAndLeavesAnUnchangedFileAlone) {
    const std::string original =
        "# colours\r\n" + std::string("C0C0C0,0,\"\",0,\"\"\r\nffff,0,\"\",0,\"\"\r\n") +
        "\r\n# rules\r\nff,0,\"TXT\",20,\"CMD_EDIT\"\r\n# end\r\n";
    {
        std::ofstream out(file("Color.tbl"), std::ios::binary);
        out << original;
    }
    auto content = [&] {
        std::ifstream in(file("Color.tbl"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    ExtTable table;
    ASSERT_TRUE(table.load(file("Color.tbl")));
    ASSERT_TRUE(table.save(file("Color.tbl")));
    EXPECT_EQ(content(), original) << "nothing changed, nothing written";

    table.append({"LZH", 0x20, 0xFF00, 0, "CMD_PACK"});
    ASSERT_TRUE(table.save(file("Color.tbl")));
    EXPECT_EQ(content(), "# colours\r\nc0c0c0,0,\"\",0,\"\"\r\nffff,0,\"\",0,\"\"\r\n\r\n# rules\r\n"
                         "ff,0,\"TXT\",20,\"CMD_EDIT\"\r\n# end\r\nff00,0,\"LZH\",20,\"CMD_PACK\"\r\n");

    table.setRules({});
    ASSERT_TRUE(table.save(file("Color.tbl")));
    EXPECT_EQ(content(), "# colours\r\nc0c0c0,0,\"\",0,\"\"\r\nffff,0,\"\",0,\"\"\r\n\r\n# rules\r\n# end\r\n");
}

TEST_F(ExtTableFile, MissingFileLeavesAnEmptyWhiteOnBlackTable) {
    ExtTable table = parsed(std::string(Pairs) + "ff,0,\"TXT\",20,\"CMD_EDIT\"\n");
    EXPECT_FALSE(table.load(file("absent.tbl")));
    EXPECT_TRUE(table.rules().empty());
    EXPECT_EQ(table.defaultPair(), (ColourPair{0xFFFFFF, 0}));
    EXPECT_EQ(table.todayPair(), (ColourPair{0xFFFFFF, 0}));
    EXPECT_EQ(table.colours("TXT", Archive), (ColourPair{0xFFFFFF, 0}));
    EXPECT_EQ(table.commandFor("TXT").command, "");
}

TEST(ExtTableParse, CommentsLineEndsAndQuotes) {
    ExtTable table = parsed(
        "# header\r\n"
        "c0c0c0,0,\"\",0,\"\"\r\n"
        "#between the pairs\n"
        "ffff,0,\"\",0,\"\"\n"
        "ff,0,\"t\"x\"t\",20,\"say \"\"hi\"\", ok\"\r\n"
        " #not a comment,1\n"
        "# trailing comment");
    EXPECT_EQ(table.defaultPair(), (ColourPair{0xC0C0C0, 0}));
    EXPECT_EQ(table.todayPair(), (ColourPair{0xFFFF, 0}));
    ASSERT_EQ(table.rules().size(), 2u);
    EXPECT_EQ(table.rules()[0].ext, "TXT");
    EXPECT_EQ(table.rules()[0].command, "say hi, ok");
    EXPECT_EQ(table.rules()[1].textColor, 0u);  // " #not a comment" is no number
    EXPECT_EQ(table.rules()[1].backColor, 1u);
}

TEST(ExtTableParse, MalformedFieldsReadAsZeroOrEmpty) {
    ExtTable table = parsed(std::string(Pairs) +
                            "zz,,\"doc\n"         // bad hex, empty hex, unclosed quote
                            "FF00\n"              // one field
                            "0x1F,12g,abc,2,x,extra\n"
                            "123456789,0,\"BIG\",20,\"\"\n");
    ASSERT_EQ(table.rules().size(), 4u);
    const ExtRule& a = table.rules()[0];
    EXPECT_EQ(a.textColor, 0u);
    EXPECT_EQ(a.backColor, 0u);
    EXPECT_EQ(a.ext, "DOC");
    EXPECT_EQ(a.attributeMask, 0u);
    EXPECT_EQ(a.command, "");
    const ExtRule& b = table.rules()[1];
    EXPECT_EQ(b.textColor, 0xFF00u);
    EXPECT_EQ(b.ext, "");
    EXPECT_EQ(b.command, "");
    const ExtRule& c = table.rules()[2];
    EXPECT_EQ(c.textColor, 0x1Fu);
    EXPECT_EQ(c.backColor, 0x12u);
    EXPECT_EQ(c.ext, "ABC");
    EXPECT_EQ(c.attributeMask, 2u);
    EXPECT_EQ(c.command, "x");
    EXPECT_EQ(table.rules()[3].textColor, 0xFFFFFFFFu);
}

TEST(ExtTableParse, LongLinesStayWhole) {
    std::string command(1500, 'c');
    ExtTable table = parsed(std::string(Pairs) + "ff,0,\"LNG\",20,\"" + command +
                            "\"\n"
                            "ff00,0,\"NXT\",20,\"CMD_NONE\"\n");
    ASSERT_EQ(table.rules().size(), 2u);
    EXPECT_EQ(table.rules()[0].command, command);
    EXPECT_EQ(table.rules()[1].ext, "NXT");
}

TEST(ExtTableParse, LoneLeadBytesKeepLineEndsAndSeparators) {
    ExtTable table = parsed(std::string(Pairs) +
                            "1,2,\"A\",20,CMD\x82\n"
                            "3,4,\"\x82\",20,\"C\"\n"
                            "5,6,\"Z\x82");  // no final line feed either
    ASSERT_EQ(table.rules().size(), 3u);
    EXPECT_EQ(table.rules()[0].command, "CMD\x82");
    EXPECT_EQ(table.rules()[1].textColor, 3u);
    EXPECT_EQ(table.rules()[1].ext, "\x82");
    EXPECT_EQ(table.rules()[1].command, "C");
    EXPECT_EQ(table.rules()[2].ext, "Z\x82");
}

TEST(ExtTableParse, UpperCasesSingleByteLettersOnly) {
    // 0x61 'a' as a trail byte belongs to the double-byte character.
    ExtTable table = parsed(std::string(Pairs) + "1,2,\"\x82\x61x\",20,\"\"\n");
    ASSERT_EQ(table.rules().size(), 1u);
    EXPECT_EQ(table.rules()[0].ext, "\x82\x61X");
}

TEST(ExtTableParse, PairFallbacksAndShortFiles) {
    ExtTable table = parsed("7,7,\"\",0,\"\"\n5,5,\"\",0,\"\"\n");
    EXPECT_EQ(table.defaultPair(), (ColourPair{0xFFFFFF, 0}));
    EXPECT_EQ(table.todayPair(), (ColourPair{0xFFFFFF, 0}));

    table.parse("c0c0c0,0,\"\",0,\"\"\n5,5,\"\",0,\"\"\n");
    EXPECT_EQ(table.todayPair(), (ColourPair{0xC0C0C0, 0}));

    table.parse("c0c0c0,0\n");
    EXPECT_EQ(table.defaultPair(), (ColourPair{0xC0C0C0, 0}));
    EXPECT_EQ(table.todayPair(), (ColourPair{0xC0C0C0, 0}));
    EXPECT_TRUE(table.rules().empty());

    table.parse(std::string(Pairs) + "ff,0,\"TXT\",20,\"\"\n");
    table.parse("# only a comment\n");
    EXPECT_EQ(table.defaultPair(), (ColourPair{0xFFFFFF, 0}));
    EXPECT_EQ(table.todayPair(), (ColourPair{0xFFFFFF, 0}));
    EXPECT_TRUE(table.rules().empty());
    EXPECT_EQ(table.colours("TXT", Archive), (ColourPair{0xFFFFFF, 0}));
}

class ExtTableLookup : public ::testing::Test {
protected:
    void SetUp() override {
        table.parse(std::string(Pairs) +
                    "808080,0,\"\",2,\"CMD_NONE\"\n"      // 0 hidden
                    "ff00,0,\"TXT\",20,\"CMD_EDIT\"\n"    // 1 first TXT
                    "ffff00,0,\"\",10,\"CMD_NONE\"\n"     // 2 directories
                    "ff,0,\"TXT\",20,\"CMD_VIEWFILE\"\n"  // 3 second TXT
                    "ff00ff,0,\"??\",20,\"unpack %s\"\n"  // 4 two-character exts
                    "aaaaaa,0,\"\",0,\"CMD_EMPTY\"\n");   // 5 empty ext, no mask
    }
    ExtTable table;
};

TEST_F(ExtTableLookup, ExtensionRulesOnlyForPlainFiles) {
    constexpr ColourPair SecondTxt{0xFF, 0}, FirstTxt{0xFF00, 0}, Grey{0x808080, 0},
        Cyan{0xFFFF00, 0}, Default{0xC0C0C0, 0};
    EXPECT_EQ(table.colours("txt", Archive), SecondTxt);  // extIndex keeps the last
    EXPECT_EQ(table.colours("Txt", 0), SecondTxt);
    EXPECT_EQ(table.colours("TXT", Normal), SecondTxt);
    EXPECT_EQ(table.colours("TXT", Hidden | Archive), Grey);
    EXPECT_EQ(table.colours("TXT", Directory), Cyan);
    // Read-only and temporary skip the index; the first 0x20 rule is the first TXT.
    EXPECT_EQ(table.colours("TXT", ReadOnly | Archive), FirstTxt);
    EXPECT_EQ(table.colours("TXT", Temporary | Archive), FirstTxt);
    EXPECT_EQ(table.colours("TXT", System), Default);
    EXPECT_EQ(table.colours("", Archive), FirstTxt);
    EXPECT_EQ(table.colours("", Normal), Default);
    // An unknown extension does not fall through to the attribute rules.
    EXPECT_EQ(table.colours("DOC", Archive), Default);
    EXPECT_EQ(table.colours("GZ", Archive), Default);
}

TEST_F(ExtTableLookup, CommandIsTheFirstMatchInOrder) {
    EXPECT_EQ(table.commandFor("txt").command, "CMD_EDIT");
    EXPECT_EQ(table.commandFor("gz").command, "unpack %s");
    EXPECT_EQ(table.commandFor("\x82\xA0Z").command, "unpack %s");
    EXPECT_EQ(table.commandFor("\x82\xA0\x82\xA2").command, "unpack %s");
    EXPECT_EQ(table.commandFor("\x82\xA0").command, "");  // one character
    EXPECT_EQ(table.commandFor("Z").command, "");
    EXPECT_EQ(table.commandFor("ZIP").command, "");
    EXPECT_EQ(table.commandFor("").command, "CMD_NONE");  // first empty ext: hidden rule
    EXPECT_EQ(table.commandFor("").attributeMask, 2u);
    EXPECT_EQ(table.commandFor("TX").command, "unpack %s");
}

TEST(ExtTableMatch, DoubleByteCharactersCompareBothBytes) {
    ExtTable table;
    table.append({"\x82\x61", 0x20, 1, 0, "first"});
    table.append({"A?", 0x20, 2, 0, "second"});
    EXPECT_EQ(table.commandFor("\x82\x61").command, "first");
    EXPECT_EQ(table.commandFor("\x82\x41").command, "");  // trail bytes never fold
    EXPECT_EQ(table.commandFor("\x82\x62").command, "");
    EXPECT_EQ(table.commandFor("a\x95\x5C").command, "second");
    EXPECT_EQ(table.commandFor("ab").command, "second");
    EXPECT_EQ(table.commandFor("b?").command, "");
}

TEST(ExtTableRules, EqualColoursHideAClass) {
    ExtTable table = parsed(std::string(Pairs) + "0,0,\"TXT\",20,\"CMD_NONE\"\n");
    EXPECT_FALSE(table.isVisible("txt", Archive));
    EXPECT_FALSE(table.isVisible("TxT", Normal));
    EXPECT_FALSE(table.isVisible("TXT", 0));
    EXPECT_TRUE(table.isVisible("TXT", Directory));
    EXPECT_TRUE(table.isVisible("TXT2", Archive));

    table.parse(std::string(Pairs) + "123,123,\"\",2,\"CMD_NONE\"\n");
    EXPECT_FALSE(table.isVisible("TXT", Hidden | Archive));
    EXPECT_FALSE(table.isVisible("", Hidden));
    EXPECT_TRUE(table.isVisible("TXT", Archive));
}

TEST(ExtTableRules, EditedRulesAreIndexedInUpperCase) {
    ExtTable table;
    table.append({"abc", 0x20, 1, 0, ""});
    EXPECT_EQ(table.rules()[0].ext, "ABC");
    EXPECT_EQ(table.colours("aBc", Archive), (ColourPair{1, 0}));
    table.setRules({{"doc", 0x20, 2, 0, ""}, {"DOC", 0x20, 3, 0, ""}});
    EXPECT_EQ(table.colours("doc", Archive), (ColourPair{3, 0}));
    EXPECT_EQ(table.colours("abc", Archive), table.defaultPair());
}

TEST(ShippedColourTable, LoadsWithSensibleRules) {
    fs::path shipped = fs::path(VORBIN_DATA_DIR) / "Color.tbl";
    ExtTable table;
    ASSERT_TRUE(table.load(shipped.string()));
    EXPECT_NE(table.defaultPair(), (ColourPair{0xFFFFFF, 0}));
    EXPECT_NE(table.todayPair(), table.defaultPair());
    for (uint32_t attributes : {Directory, Hidden, System, ReadOnly, Archive, Normal}) {
        EXPECT_TRUE(table.isVisible("", attributes)) << attributes;
    }
    EXPECT_NE(table.colours("", Directory), table.defaultPair());
    EXPECT_EQ(table.colours("", Archive), table.defaultPair());
    EXPECT_EQ(table.commandFor("exe").command, "CMD_EXECUTE");
    EXPECT_EQ(table.commandFor("bat").command, "CMD_EXECUTE");
    EXPECT_EQ(table.commandFor("txt").command, "CMD_EDIT");
    EXPECT_EQ(table.commandFor("zip").command, "CMD_NONE");
    EXPECT_EQ(table.colours("zip", Archive), table.colours("LZH", Archive));
    for (const char* ext : {"EXE", "TXT", "ZIP", "JPG"}) {
        EXPECT_TRUE(table.isVisible(ext, Archive)) << ext;
        EXPECT_NE(table.colours(ext, Archive), table.defaultPair()) << ext;
    }
}

}  // namespace
