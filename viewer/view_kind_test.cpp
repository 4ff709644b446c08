#include "viewer/view_kind.h"

#include <gtest/gtest.h>

namespace {
bool noDirectories(std::string_view) { return false; }

TEST(ViewKind, ChosenInTheStatedOrder) {
    struct Case {
        const char* path;
        bool directory;
        ViewKind kind;
    };
    const Case cases[] = {
        {"C:\\a\\photo.JPG", false, ViewKind::Jpeg},
        {"C:\\a\\photo.jpeg", false, ViewKind::Jpeg},
        {"C:\\a\\photo.jpegx", false, ViewKind::Text},
        {"C:\\a\\Vorbin.EXE", false, ViewKind::Program},
        {"C:\\a\\x.dll", false, ViewKind::Library},
        {"C:\\a\\x.drv", false, ViewKind::Driver},
        {"C:\\a\\x.gif", false, ViewKind::Gif},
        {"C:\\a\\x.bmp", false, ViewKind::Bmp},
        {"C:\\a\\x.png", false, ViewKind::Png},
        {"C:\\a\\x.ico", false, ViewKind::Icon},
        {"C:\\a\\x.lzh", false, ViewKind::Lha},
        {"C:\\a\\x.zip", false, ViewKind::Zip},
        {"C:\\a\\x.cab", false, ViewKind::Cabinet},
        {"C:\\a\\README", false, ViewKind::Text},
        {"C:\\a\\notes.txt", false, ViewKind::Text},
        {"C:\\a\\.txt", false, ViewKind::Text},          // empty name part
        {"C:\\a\\.git", true, ViewKind::Directory},
        {"C:\\a\\b\\..", false, ViewKind::Directory},    // name part "."
        {"C:\\a\\sub.jpg", true, ViewKind::Directory},   // a directory wins over its extension
        {"C:\\a.lzh>b\\c.txt", false, ViewKind::ArchiveMember},
        {"|host/dir/f.txt", false, ViewKind::Ftp},
        {"|host/a.lzh>x", false, ViewKind::ArchiveMember},
        // "表" ends in 0x5C: not a separator, the extension still counts.
        {"C:\\\x95\x5c.png", false, ViewKind::Png},
        {"C:\\dir.x\\\x83\x5c", false, ViewKind::Text},
    };
    for (const Case& c : cases) {
        const auto isDirectory = [&](std::string_view) { return c.directory; };
        EXPECT_EQ(classifyPath(c.path, isDirectory), c.kind) << c.path;
    }
}

TEST(ViewKind, HtmlLikeAndScrollable) {
    struct Case {
        const char* path;
        bool html;
    };
    const Case cases[] = {{"a.HTM", true},   {"a.html", true}, {"a.xml", true},
                          {"a.XmLx", true},  {"a.txt", false}, {"htm", false},
                          {"a.ht", false},   {"C:\\x.htm\\y", false}};
    for (const Case& c : cases) EXPECT_EQ(isHtmlLike(c.path), c.html) << c.path;

    EXPECT_TRUE(isScrollable(classifyPath("a.txt", noDirectories)));
    EXPECT_TRUE(isScrollable(classifyPath("a.cab", noDirectories)));
    EXPECT_FALSE(isScrollable(classifyPath("a.zip", noDirectories)));
    EXPECT_FALSE(isScrollable(classifyPath("a.png", noDirectories)));
    EXPECT_TRUE(asksForTree("C:\\a\\.."));
    EXPECT_FALSE(asksForTree("C:\\a..\\b"));
}
}  // namespace
