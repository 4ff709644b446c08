#include "navigation/path_history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace fs = std::filesystem;

TEST(PathHistory, RecordKeepsNewestFirstWithoutDuplicates) {
    PathHistory h;
    h.record("C:\\A");
    h.record("C:\\B\\");
    h.record("c:\\a");
    EXPECT_EQ(h.paths(), (std::vector<std::string>{"c:\\a", "C:\\B"}));
    // 表 ends in the byte of "\": it is a character, not a separator.
    h.record("C:\\\x95\x5c");
    EXPECT_EQ(h.paths().front(), "C:\\\x95\x5c");
    for (int i = 0; i < 40; ++i) h.record("D:\\" + std::to_string(i));
    EXPECT_EQ(h.paths().size(), PathHistory::Positions);
    EXPECT_EQ(h.paths().front(), "D:\\39");
}

TEST(PathHistory, StepsWithoutReorderingAndStopsAtBothEnds) {
    PathHistory h;
    EXPECT_EQ(h.step(HistoryStep::Older), std::nullopt);  // empty history
    h.record("C:\\old");
    h.record("C:\\mid");
    h.record("C:\\new");
    EXPECT_EQ(h.step(HistoryStep::Newer), "C:\\new");  // at 0 the newest is entered again
    EXPECT_EQ(h.step(HistoryStep::Older), "C:\\mid");
    EXPECT_EQ(h.step(HistoryStep::Older), "C:\\old");
    EXPECT_EQ(h.step(HistoryStep::Older), "C:\\old");
    EXPECT_EQ(h.position(), 2);
    EXPECT_EQ(h.step(HistoryStep::Newer), "C:\\mid");
    EXPECT_EQ(h.paths().front(), "C:\\new");
    h.record("C:\\other");
    EXPECT_EQ(h.position(), 0);

    // The 37th position is kept but has no key, so stepping there changes nothing.
    for (int i = 0; i < 37; ++i) h.record("D:\\" + std::to_string(i));
    for (int i = 0; i < 35; ++i) h.step(HistoryStep::Older);
    EXPECT_EQ(h.step(HistoryStep::Older), std::nullopt);
    EXPECT_EQ(h.position(), 36);
    EXPECT_EQ(h.step(HistoryStep::Newer), "D:\\1");
}

TEST(PathHistory, SavesTheNewest36UnderKeysAndLoadsClosingGaps) {
    std::random_device random;
    const fs::path dir = fs::temp_directory_path() / ("history_" + std::to_string(random()));
    fs::create_directories(dir);
    const std::string file = (dir / "History.tbl").string();

    PathHistory h;
    for (int i = 0; i < 40; ++i) h.record("D:\\" + std::to_string(i));
    ASSERT_TRUE(h.save(file));
    KeyTable saved;
    ASSERT_TRUE(saved.load(file));
    ASSERT_EQ(saved.pairs().size(), 36u);
    EXPECT_EQ(saved.pairs().front().key, '0');
    EXPECT_EQ(saved.pairs().front().text, "D:\\39");
    EXPECT_EQ(saved.pairs()[10].key, 'A');
    EXPECT_EQ(saved.pairs().back().key, 'Z');
    EXPECT_EQ(saved.pairs().back().text, "D:\\4");

    PathHistory loaded;
    ASSERT_TRUE(loaded.load(file));
    EXPECT_EQ(loaded.paths().size(), 36u);
    EXPECT_EQ(loaded.paths()[35], "D:\\4");

    KeyTable gaps;
    gaps.parse("# history\nB,C:\\second\n3,C:\\first\n");
    loaded.fromKeyTable(gaps);
    EXPECT_EQ(loaded.paths(), (std::vector<std::string>{"C:\\first", "C:\\second"}));
    EXPECT_EQ(loaded.step(HistoryStep::Older), "C:\\second");

    EXPECT_FALSE(loaded.load((dir / "none.tbl").string()));
    EXPECT_TRUE(loaded.paths().empty());
    EXPECT_EQ(loaded.position(), 0);
    fs::remove_all(dir);
}
