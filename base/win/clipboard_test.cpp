// The one clipboard writer and reader, on the real clipboard.
#include "base/win/clipboard.h"

#include <gtest/gtest.h>

#include <string>

#include "base/win/handle.h"

TEST(Clipboard, BytesComeBackWholeInEveryFormat) {
    const UINT custom = RegisterClipboardFormatA("Vorbin test bytes");
    const struct {
        UINT format;
        std::string bytes;
    } cases[] = {
        {CF_TEXT, std::string("C:\\\x95\x5c\\\x83\x5c", 7) + '\0'},  // C:\表\ソ
        {custom, std::string("\x02\x00\x00\x00", 4)},                 // a drop effect
        {custom, std::string("a\0b\0\0", 5)},                         // NULs inside
    };
    for (const auto& c : cases) {
        ClipboardSession clipboard(nullptr);
        ASSERT_TRUE(clipboard);
        ASSERT_TRUE(EmptyClipboard());
        ASSERT_TRUE(putOnClipboard(c.format, c.bytes.data(), c.bytes.size()));
        std::optional<std::string> back = clipboardBytes(c.format);
        ASSERT_TRUE(back);
        // The platform may round the block up, never down.
        ASSERT_GE(back->size(), c.bytes.size());
        EXPECT_EQ(back->substr(0, c.bytes.size()), c.bytes);
    }
    ClipboardSession clipboard(nullptr);
    ASSERT_TRUE(clipboard);
    EmptyClipboard();
    EXPECT_FALSE(clipboardBytes(CF_TEXT));
}

TEST(Guards, SelectedObjectPutsTheEarlierOneBack) {
    WindowDC screen(nullptr);
    ASSERT_TRUE(screen);
    HGDIOBJ before = GetCurrentObject(screen.get(), OBJ_FONT);
    HGDIOBJ other = GetStockObject(before == GetStockObject(ANSI_FIXED_FONT) ? SYSTEM_FONT
                                                                             : ANSI_FIXED_FONT);
    {
        SelectedObject font(screen.get(), other);
        EXPECT_EQ(GetCurrentObject(screen.get(), OBJ_FONT), other);
    }
    EXPECT_EQ(GetCurrentObject(screen.get(), OBJ_FONT), before);
}
