#include "panes/mask_filter.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

FileList sample() {
    FileList raw;
    raw.append(makeEntry("..", AttrDirectory));
    raw.append(makeEntry("docs.txt", AttrDirectory));
    raw.append(makeEntry("a.TXT"));
    raw.append(makeEntry("b.doc"));
    raw.append(makeEntry("apple.c"));
    raw.append(makeEntry("notes"));
    return raw;
}

std::vector<std::string> shownNames(std::string_view mask) {
    FileList shown;
    shown.append(makeEntry("stale"));
    applyMask(sample(), mask, shown);
    std::vector<std::string> names;
    for (const FileEntry& e : shown.entries()) names.emplace_back(e.name());
    return names;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(MaskFilter, StarMasksAndEmptyMaskShowEverything) {
    const Names all{"..", "docs.txt", "a.TXT", "b.doc", "apple.c", "notes"};
    for (const char* mask : {"*.*", "*", "", "**", "*.**"}) {
        EXPECT_TRUE(maskShowsEverything(mask)) << mask;
        EXPECT_EQ(shownNames(mask), all) << mask;
    }
    EXPECT_FALSE(maskShowsEverything("*.txt"));
    EXPECT_FALSE(maskShowsEverything("!"));
}

TEST(MaskFilter, PatternsSelectFilesButDirectoriesAlwaysPass) {
    EXPECT_EQ(shownNames("*.txt"), (Names{"..", "docs.txt", "a.TXT"}));
    EXPECT_EQ(shownNames("a*,b*"), (Names{"..", "docs.txt", "a.TXT", "b.doc", "apple.c"}));
    EXPECT_EQ(shownNames("*.zip"), (Names{"..", "docs.txt"}));
}

TEST(MaskFilter, ExclamationMarkInverts) {
    EXPECT_EQ(shownNames("!*.txt"), (Names{"..", "docs.txt", "b.doc", "apple.c", "notes"}));
    EXPECT_EQ(shownNames("!a*,*.doc"), (Names{"..", "docs.txt", "notes"}));
    EXPECT_EQ(shownNames("!*"), (Names{"..", "docs.txt"}));
}
