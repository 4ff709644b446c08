#include "panes/marked_list_text.h"

#include <map>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace {

class MapProfile : public Profile {
public:
    std::string read(const std::string& section, const std::string& key) override {
        auto it = values.find({section, key});
        return it == values.end() ? std::string() : it->second;
    }
    void write(const std::string& section, const std::string& key, const std::string& value) override {
        values[{section, key}] = value;
    }
    std::map<std::pair<std::string, std::string>, std::string> values;
};

FileList sample() {
    FileList list;
    list.append(makeEntry("..", AttrDirectory));
    list.append(makeEntry("readme.txt", AttrArchive, 1234, 1));
    list.append(makeEntry("skip.txt", AttrArchive, 5, 1));
    list.append(makeEntry("big.iso", AttrArchive, 1'000'000'000, 2));
    list.append(makeEntry("sub", AttrDirectory, 0, 3));
    list.setMark(1, true);
    list.setMark(3, true);
    list.setMark(4, true);
    return list;
}

LocalTime timeOf(const FileEntry& e) {
    return e.ftLastWriteTime.value() == 1 ? LocalTime{2003, 3, 5, 14, 7, 9}
                                          : LocalTime{2010, 12, 1, 8, 0, 30};
}

}  // namespace

TEST(MarkedListText, EveryPieceAndTheTotal) {
    CopyListOptions o{true, true, true, true, true};
    const std::string text = markedListText(sample(), o, "C:\\work", timeOf);
    EXPECT_EQ(text,
              " 03-03-05 14:07:09         1,234   C:\\work\\readme.txt\r\n"
              " 10-12-01 08:00:30    1000000000   C:\\work\\big.iso\r\n"
              " 10-12-01 08:00:30         <Dir>   C:\\work\\sub\r\n"
              "\r\n"
              "    3 file(s)   1,000,001,234 bytes\r\n");
}

TEST(MarkedListText, PiecesFollowTheTickedBoxes) {
    const FileList list = sample();
    EXPECT_EQ(markedListText(list, {true, false, false, false, false}, "C:\\", timeOf),
              "readme.txt\r\nbig.iso\r\nsub\r\n");
    // A root keeps its one "\"; an FTP directory gets none.
    EXPECT_EQ(markedListText(list, {true, true, false, false, true}, "C:\\", timeOf),
              "C:\\readme.txt\r\nC:\\big.iso\r\nC:\\sub\r\n\r\n    3 file(s)\r\n");
    EXPECT_EQ(markedListText(list, {true, true, false, false, false}, "|host/pub/", timeOf).substr(0, 20),
              "|host/pub/readme.txt");
    // Path alone lists the directory once a line.
    EXPECT_EQ(markedListText(list, {false, true, false, false, false}, "D:\\x", timeOf),
              "D:\\x\\\r\nD:\\x\\\r\nD:\\x\\\r\n");
    // Total alone lists nothing.
    EXPECT_EQ(markedListText(list, {false, false, false, false, true}, "C:\\", timeOf), "");
    EXPECT_FALSE(copyListHasContent({false, false, false, false, true}));
    EXPECT_EQ(markedListText(FileList{}, {true, false, false, false, true}, "C:\\", timeOf),
              "\r\n    0 file(s)\r\n");
}

TEST(MarkedListText, OptionsKeptInTheSettingsFile) {
    MapProfile profile;
    EXPECT_EQ(loadCopyListOptions(profile), CopyListOptions{});
    const CopyListOptions o{true, false, true, false, true};
    saveCopyListOptions(profile, o);
    EXPECT_EQ((profile.values[{"COPY_CLIPBORAD", "SIZE"}]), "1");
    EXPECT_EQ((profile.values[{"COPY_CLIPBORAD", "PATH"}]), "0");
    EXPECT_EQ(loadCopyListOptions(profile), o);
}
