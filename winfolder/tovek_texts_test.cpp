#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "winfolder/module_path_copy.h"
#include "winfolder/tovek_texts.h"

namespace {
TEST(TovekTexts, CaptionAndExplorerParameters) {
    EXPECT_EQ(finderCaption(true, "[Vorbin:0] (*.*) C:\\"), "Tovek");
    EXPECT_EQ(finderCaption(false, "[Vorbin:0] (*.*) C:\\"), "Tovek  [[Vorbin:0] (*.*) C:\\]");
    EXPECT_EQ(finderCaption(false, ""), std::string("Tovek  [") + NoTitleText + "]");
    EXPECT_EQ(explorerParameters("C:\\a b\\x.exe"), " /n,/e,/select,C:\\a b\\x.exe");
    EXPECT_EQ(explorerParameters(""), " /n,/e,/select,");
}

TEST(ModulePathCopy, FitsWithItsNulOrLeavesTheBufferAlone) {
    const std::string path = "C:\\\x95\x5C\\x.exe";  // 11 bytes
    struct Case {
        std::uint32_t size;
        bool copied;
    };
    const Case cases[] = {{0, false}, {11, false}, {12, true}, {1000, true}};
    for (const Case& c : cases) {
        char buffer[1000];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(copyModulePath(path.c_str(), buffer, c.size), c.copied) << c.size;
        if (c.copied) {
            EXPECT_STREQ(buffer, path.c_str());
        } else {
            EXPECT_EQ(buffer[0], '#') << c.size;
        }
    }
    char one[1] = {'#'};
    EXPECT_TRUE(copyModulePath("", one, 1));
    EXPECT_EQ(one[0], '\0');
    EXPECT_FALSE(copyModulePath("x", nullptr, 10));
}
}  // namespace
