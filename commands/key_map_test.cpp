#include "commands/key_map.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "commands/default_bindings.h"
#include "commands/key_binding_print_test.h"
#include "commands/key_codes.h"

namespace fs = std::filesystem;

namespace {

KeyMap parsed(std::string_view text) {
    KeyMap map;
    map.parse(text);
    return map;
}

KeyBinding command(int key, bool shift, bool ctrl, bool alt, CommandId id) {
    return KeyBinding{key, shift, ctrl, alt, id, {}};
}

KeyBinding line(int key, std::string parameter) {
    return KeyBinding{key, false, false, false, 0, std::move(parameter)};
}

class KeyMapFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        dir = fs::temp_directory_path() / ("key_map_" + std::to_string(random()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const char* name) const { return (dir / name).string(); }
    void write(const char* name, std::string_view text) const {
        std::ofstream(file(name), std::ios::binary) << text;
    }
    std::string read(const char* name) const {
        std::ifstream in(file(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    fs::path dir;
};

}  // namespace

TEST(KeyMapFormat, WritesPaddedKeyFlagsNameAndQuotedParameter) {
    KeyMap map({command(vk::F8, false, false, false, CmdCommandSet),
                command(vk::Back, true, false, true, CmdBack),
                line('Z', "notepad.exe \"$F\", x"),
                command(vk::EscapeMapped, false, true, false, 40000)});
    EXPECT_EQ(map.format(),
              " 119,0,0,0,CMD_COMMAND_SET,\"\"\r\n"
              "  8,1,0,1,CMD_BACK,\"\"\r\n"
              " 90,0,0,0,CMD_NONE,\"notepad.exe \"$F\", x\"\r\n"
              " 25,0,1,0,CMD_NONE,\"\"\r\n");
}

TEST(KeyMapParse, ReadsNamesNumbersAndFlags) {
    KeyMap map = parsed(
        " 119,0,0,0,CMD_COMMAND_SET,\"\"\r\n"
        "119,1,0,0,32799,\"\"\r\n"
        "  67,0,7,0, CMD_COPY ,\"\"\n"
        "68,0,0,0,CMD_NOT_A_COMMAND,\"tool.exe\"\n"
        "69,0,0,0,cmd_copy,\"\"");
    ASSERT_EQ(map.size(), 5u);
    EXPECT_EQ(map[0], command(119, false, false, false, CmdCommandSet));
    EXPECT_EQ(map[1], command(119, true, false, false, CmdCommandSet));
    EXPECT_EQ(map[2], command('C', false, true, false, CmdCopy));
    EXPECT_EQ(map[3], line('D', "tool.exe"));
    EXPECT_EQ(map[4], line('E', ""));  // names are case-sensitive; last line has no line end
}

TEST(KeyMapParse, ParameterIsTheRestOfTheLineLessOneOuterQuotePair) {
    KeyMap map = parsed(
        "65,0,0,0,CMD_NONE,\"a,b \"c\",d\"\r\n"
        "66,0,0,0,CMD_NONE,\"\"\"\"\r\n"
        "67,0,0,0,CMD_NONE,unquoted, with comma\r\n"
        "68,0,0,0,CMD_NONE,\"\r\n"
        "69,0,0,0,CMD_NONE\r\n"
        "70\r\n");
    ASSERT_EQ(map.size(), 6u);
    EXPECT_EQ(map[0].parameter, "a,b \"c\",d");
    EXPECT_EQ(map[1].parameter, "\"\"");
    EXPECT_EQ(map[2].parameter, "unquoted, with comma");
    EXPECT_EQ(map[3].parameter, "");
    EXPECT_EQ(map[4], line('E', ""));
    EXPECT_EQ(map[5], line('F', ""));
}

TEST(KeyMapParse, EmptyLinesBecomeKeyZeroAndLongLinesStayWhole) {
    std::string longParameter(3000, 'x');
    longParameter += "\x95\x5C";  // a double-byte character whose trail byte is "\"
    KeyMap map = parsed("\r\n65,0,0,0,CMD_COPY,\"\"\r\n\n66,0,0,0,CMD_NONE,\"" + longParameter +
                        "\"\r\n");
    ASSERT_EQ(map.size(), 4u);
    EXPECT_EQ(map[0], KeyBinding{});
    EXPECT_EQ(map[1], command('A', false, false, false, CmdCopy));
    EXPECT_EQ(map[2], KeyBinding{});
    EXPECT_EQ(map[3], line('B', longParameter));
    EXPECT_TRUE(parsed("").empty());
    EXPECT_EQ(parsed("65,0,0,0,CMD_COPY,\"\"\r\n\x1a").size(), 1u);
}

TEST(KeyMapParse, LoneLeadByteAtTheEndOfALineSwallowsNothing) {
    KeyMap map = parsed(
        "65,0,0,0,CMD_NONE,\"ab\x81\"\r\n"
        "66,0,0,0,CMD_NONE,ab\xE0\r\n"
        "67,0,0,0,CMD_NONE,\"\x82\xA0\xFC\"\n"
        "68,0,0,0,CMD_COPY,\"\"\r\n");
    ASSERT_EQ(map.size(), 4u);
    EXPECT_EQ(map[0].parameter, "ab\x81");
    EXPECT_EQ(map[1].parameter, "ab\xE0");
    EXPECT_EQ(map[2].parameter, "\x82\xA0\xFC");
    EXPECT_EQ(map[3], command('D', false, false, false, CmdCopy));
}

TEST_F(KeyMapFile, SaveAndLoadKeepEveryBinding) {
    KeyMap map({command(vk::F8, false, false, false, CmdCommandSet),
                line('Q', "\"C:\\Program Files\\tool.exe\" \"$F\", -o \"out\""),
                line('W', "\x95\x5C\x8E\xA6 $P,$P"),
                line('E', "\""),
                KeyBinding{},
                command('X', true, true, false, CmdSelCursorDown),
                command('X', true, true, false, CmdClipfileCut)});
    ASSERT_TRUE(map.save(file("Default.KEY")));
    EXPECT_TRUE(read("Default.KEY").starts_with(" 119,0,0,0,CMD_COMMAND_SET,\"\"\r\n 81,"));
    KeyMap loaded;
    ASSERT_TRUE(loaded.load(file("Default.KEY")));
    EXPECT_EQ(loaded.bindings(), map.bindings());
}

TEST_F(KeyMapFile, UnreadableFileLeavesTheMapEmpty) {
    KeyMap map({command('A', false, false, false, CmdCopy)});
    EXPECT_FALSE(map.load(file("missing.KEY")));
    EXPECT_TRUE(map.empty());
    EXPECT_FALSE(map.save((dir / "no such dir" / "KEY.TBL").string()));
}

TEST_F(KeyMapFile, MissingFileStartsWithTheBuiltInMapAndTheForcedKeys) {
    KeyMap map = startupKeyMap(file("KEY.TBL"));
    EXPECT_EQ(map.size(), builtInBindings().size() + forcedBindings().size());
    EXPECT_EQ(map.lookup('E', false, true, false).command, CmdCursorUp);
    EXPECT_EQ(map.lookup('E', false, false, true).command, CmdExplorer);
    EXPECT_EQ(map.lookup(vk::Up, true, false, false).command, CmdSelCursorUp);
    EXPECT_EQ(map.lookup('Q', true, true, false).command, CmdLastpath);
    // The clipboard trio is whole; marking downwards stays on Shift+Down.
    EXPECT_EQ(map.lookup('C', true, true, false).command, CmdClipfileCopy);
    EXPECT_EQ(map.lookup('X', true, true, false).command, CmdClipfileCut);
    EXPECT_EQ(map.lookup('V', true, true, false).command, CmdClipfilePast);
    EXPECT_EQ(map.lookup(vk::Down, true, false, false).command, CmdSelCursorDown);
    EXPECT_EQ(map.lookup(vk::F8, false, false, false).command, CmdCommandSet);
    EXPECT_EQ(map.lookup(vk::Enter, false, false, false).command, CmdReturn);
    EXPECT_EQ(map.lookup('E', false, false, false), KeyBinding{});
    EXPECT_FALSE(fs::exists(file("KEY.TBL")));  // created only by the key dialog
}

TEST_F(KeyMapFile, ForcedKeysReplaceTheFileButNothingElseIsAdded) {
    write("KEY.TBL",
          " 119,0,0,0,CMD_NONE,\"evil.exe\"\r\n"
          " 119,1,0,0,CMD_NONE,\"shifted.exe\"\r\n"
          " 38,0,0,0,CMD_DELETE,\"\"\r\n"
          " 65,0,0,0,CMD_COPY,\"\"\r\n");
    KeyMap map = startupKeyMap(file("KEY.TBL"));
    EXPECT_EQ(map.size(), 2u + forcedBindings().size());
    EXPECT_EQ(map[0], command(vk::F8, false, false, false, CmdCommandSet));
    EXPECT_EQ(map[1], (KeyBinding{vk::F8, true, false, false, 0, "shifted.exe"}));
    map.remove(1);  // shift the line binding away so index 1 checks the Up key
    EXPECT_EQ(map[1], command(vk::Up, false, false, false, CmdCursorUp));
    EXPECT_EQ(map.lookup('A', false, false, false).command, CmdCopy);
    EXPECT_EQ(map.lookup('C', false, false, false).command, 0);  // built-in not added

    KeyMap reloaded;
    ASSERT_TRUE(reloaded.load(file("KEY.TBL")));
    EXPECT_EQ(reloaded.lookup(vk::F8, false, false, false), line(vk::F8, "evil.exe"));
}

TEST(KeyMapEdit, SetReplacesTheFirstSameKeyAndRemoveIgnoresBadIndices) {
    KeyMap map;
    map.set(command('A', false, false, false, CmdCopy));
    map.set(command('A', false, true, false, CmdMove));
    map.append(command('A', false, false, false, CmdRename));  // a duplicate, as a file may hold
    EXPECT_EQ(map.find('A', false, false, false), 0);
    EXPECT_EQ(map.find('A', true, false, false), -1);
    map.set(line('A', "x.exe"));
    ASSERT_EQ(map.size(), 3u);
    EXPECT_EQ(map[0], line('A', "x.exe"));
    EXPECT_EQ(map[2].command, CmdRename);
    map.remove(-1);
    map.remove(3);
    EXPECT_EQ(map.size(), 3u);
    map.remove(0);
    EXPECT_EQ(map.lookup('A', false, false, false).command, CmdRename);
}

TEST(KeyMapEdit, DisplayOrderIsByKeyThenCtrlAndOtherwiseStable) {
    KeyMap map({command('B', false, true, false, CmdMove),
                command('B', true, false, false, CmdCopy),
                command('A', false, true, true, CmdInfo),
                command('B', false, false, true, CmdRename),
                command('A', true, false, false, CmdSort),
                command(vk::Enter, false, false, false, CmdReturn)});
    map.sortForDisplay();
    std::vector<CommandId> order;
    for (const KeyBinding& b : map.bindings()) order.push_back(b.command);
    EXPECT_EQ(order, (std::vector<CommandId>{CmdReturn, CmdSort, CmdInfo, CmdCopy, CmdRename,
                                             CmdMove}));
}
