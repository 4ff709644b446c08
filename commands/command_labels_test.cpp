#include "commands/command_labels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

CommandLabels parsed(std::string_view text) {
    CommandLabels labels;
    labels.parse(text);
    return labels;
}

// Shift-JIS: "コピー", "移動", "ソート" (its first trail byte is "\").
const std::string Copy = "\x83\x52\x83\x73\x81\x5B";
const std::string Move = "\x88\xDA\x93\xAE";
const std::string Sort = "\x83\x5C\x81\x5B\x83\x67";

bool isWellFormedShiftJis(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (!lead) {
            if (c < 0x20 || c >= 0x80) return false;
            continue;
        }
        if (++i == s.size()) return false;
        unsigned char t = static_cast<unsigned char>(s[i]);
        if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
    }
    return true;
}

}  // namespace

TEST(CommandLabels, MapsBothWaysAndPassesUnknownTextThrough) {
    CommandLabels labels = parsed("CMD_COPY," + Copy + "\r\nCMD_SORT," + Sort + "\r\n");
    EXPECT_EQ(labels.labelFor("CMD_COPY", true), Copy);
    EXPECT_EQ(labels.labelFor(Copy, false), "CMD_COPY");
    EXPECT_EQ(labels.labelFor("CMD_SORT", true), Sort);
    EXPECT_EQ(labels.labelFor(Sort, false), "CMD_SORT");
    EXPECT_EQ(labels.labelFor("CMD_MOVE", true), "CMD_MOVE");
    EXPECT_EQ(labels.labelFor("notepad.exe", false), "notepad.exe");
    EXPECT_EQ(labels.labelFor("CMD_COPY", false), "CMD_COPY");  // a name is not a label
}

TEST(CommandLabels, LabelIsTheSecondFieldWithoutBlanks) {
    CommandLabels labels = parsed(
        "CMD_MOVE, \x88\xDA \t\x93\xAE ,ignored,more\n"
        "no comma here\n"
        "\n"
        "CMD_EXIT,\r\n"
        "CMD_COPY,first\n"
        "CMD_COPY," + Copy);
    EXPECT_EQ(labels.labelFor("CMD_MOVE", true), Move);
    EXPECT_EQ(labels.labelFor(Move, false), "CMD_MOVE");
    EXPECT_EQ(labels.labelFor("CMD_EXIT", true), "CMD_EXIT");
    EXPECT_EQ(labels.labelFor("CMD_COPY", true), Copy);  // a later line wins
    EXPECT_EQ(labels.labelFor("no comma here", true), "no comma here");
}

TEST(CommandLabels, BindingTextShowsTheLabelOrTheCommandLine) {
    CommandLabels labels = parsed("CMD_COPY," + Copy + "\n");
    EXPECT_EQ(bindingText(KeyBinding{'C', false, false, false, CmdCopy, {}}, labels), Copy);
    EXPECT_EQ(bindingText(KeyBinding{'M', false, false, false, CmdMove, {}}, labels), "CMD_MOVE");
    EXPECT_EQ(bindingText(KeyBinding{'Z', false, false, false, 0, "tool.exe $F"}, labels),
              "tool.exe $F");
    EXPECT_EQ(bindingText(KeyBinding{'Z', false, false, false, 40000, {}}, labels), "CMD_NONE");
}

TEST(CommandLabels, MissingFileLeavesPlainNames) {
    CommandLabels labels = parsed("CMD_COPY," + Copy);
    fs::path missing = fs::temp_directory_path() / "no_such_dir_x" / "Command.TBL";
    EXPECT_FALSE(labels.load(missing.string()));
    EXPECT_TRUE(labels.empty());
    EXPECT_EQ(labels.labelFor("CMD_COPY", true), "CMD_COPY");
}

TEST(ShippedCommandTable, EveryCommandHasItsOwnLabel) {
    fs::path file = fs::path(VORBIN_DATA_DIR) / "Command.TBL";
    CommandLabels labels;
    ASSERT_TRUE(labels.load(file.string())) << file;
    std::set<std::string> seen;
    for (CommandId id = FirstCommand; id <= LastCommand; ++id) {
        std::string name = CommandNameFromId(id);
        std::string label = labels.labelFor(name, true);
        EXPECT_NE(label, name) << "no label";
        EXPECT_TRUE(isWellFormedShiftJis(label)) << name;
        EXPECT_EQ(labels.labelFor(label, false), name) << "label shared";
        seen.insert(label);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(CommandCount));
}
