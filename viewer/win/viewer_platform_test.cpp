// The viewer's platform side for real: the watcher against a named block, the
// imaging component, version resources, an archiver library loaded by name,
// and pages in their declared character sets.
#include <gtest/gtest.h>

#include <cstring>

#include "base/win/handle.h"
#include "services/win/program_directory.h"
#include "testing/win/scratch_directory.h"
#include "viewer/win/picture.h"
#include "viewer/win/request_watcher.h"
#include "viewer/win/view_content.h"

namespace {
// A 2 by 1 picture as a 24-bit BMP.
std::string tinyBitmap() {
    std::string bmp(54 + 8, '\0');
    const unsigned char header[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                    2,   0,   0,  0, 1, 0, 0, 0, 1, 0, 24, 0};
    std::memcpy(bmp.data(), header, sizeof header);
    return bmp;
}

TEST(ViewerPlatform, WatcherTakesTheRequestAndClearsTheFlag) {
    UniqueHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 500,
                                            "PelkoWatcherTest"));
    ASSERT_TRUE(mapping);
    MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, 500));
    auto* bytes = static_cast<unsigned char*>(view.get());
    const char path[] = "C:\\\x95\x5c\\x.txt";
    bytes[0] = 1;
    std::memcpy(bytes + 1, path, sizeof path);
    OwnedWindow window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr));
    RequestWatcher watcher(window.get(), "PelkoWatcherTest");
    ASSERT_TRUE(watcher.start());
    MSG msg;
    bool posted = false;
    for (DWORD start = GetTickCount(); !posted && GetTickCount() - start < 5000;) {
        if (PeekMessageA(&msg, window.get(), RequestMessage, RequestMessage, PM_REMOVE))
            posted = true;
        else
            Sleep(10);
    }
    ASSERT_TRUE(posted);
    std::string taken;
    EXPECT_TRUE(watcher.takePending(taken));
    EXPECT_EQ(taken, path);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_FALSE(watcher.takePending(taken));
    std::string inBlock;
    EXPECT_TRUE(watcher.readBlockPath(inBlock));
    EXPECT_EQ(inBlock, path);
}

TEST(ViewerPlatform, PicturesDecodeAndABrokenOneKeepsThePrevious) {
    ScratchDirectory dir{"vbpic"};
    ASSERT_TRUE(dir.writeFile("tiny.bmp", tinyBitmap()));
    ASSERT_TRUE(dir.writeFile("broken.png", "\x89PNG\r\n\x1a\nnot really"));
    OleSession ole;
    Picture picture;
    ASSERT_TRUE(picture.load(dir / "tiny.bmp"));
    EXPECT_EQ(picture.width(), 2);
    EXPECT_EQ(picture.height(), 1);
    EXPECT_FALSE(picture.load(dir / "broken.png"));
    EXPECT_FALSE(picture.load(dir / "missing.jpg"));
    EXPECT_EQ(picture.width(), 2);
}

TEST(ViewerPlatform, VersionReportsOfTheSuitesProgramsAndOfAPlainFile) {
    // Descriptions in code page 932, as the version blocks hold them.
    const char* const programs[][2] = {
        {"Pelko", "Pelko " "\x83\x72\x83\x85\x81\x5b\x83\x41"},
        {"Vorbin", "Vorbin " "\x83\x74\x83\x40\x83\x43\x83\x8b\x83\x7d\x83\x6c\x81\x5b\x83\x57\x83\x83\x81\x5b"},
        {"Lintor", "Lintor " "\x83\x70\x83\x58\x82\xcc\x8e\xf3\x82\xaf\x93\x6e\x82\xb5"},
        {"Tovek", "Tovek " "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x82\xcc\x83\x74\x83\x48\x83\x8b\x83\x5f\x81\x5b\x82\xf0\x8a\x4a\x82\xad"},
        {"Quorvane", "Quorvane " "\x83\x74\x83\x40\x83\x43\x83\x8b\x8c\x9f\x8d\xf5"}};
    for (const auto& [name, description] : programs) {
        const std::string report = versionReportOf(programDirectory() + name + ".exe", 10);
        EXPECT_NE(report.find("__________\n"), std::string::npos) << report;
        EXPECT_NE(report.find("FileType         : 00000001 : VFT_APP\n"), std::string::npos)
            << report;
        EXPECT_NE(report.find("FileDescription  : " + std::string(description) + "\n"),
                  std::string::npos)
            << report;
        EXPECT_NE(report.find("OriginalFileName : " + std::string(name) + ".exe\n"),
                  std::string::npos)
            << report;
    }
    ScratchDirectory dir{"vbver"};
    ASSERT_TRUE(dir.writeFile("plain.exe", "MZ but nothing more"));
    const std::string plain = versionReportOf(dir / "plain.exe", 3);
    EXPECT_EQ(plain, "(" + shortPath(dir / "plain.exe") + ")\n___\n");
}

TEST(ViewerPlatform, ArchiveListingsThroughTheLibrariesAndAMissingLibrary) {
    ScratchDirectory dir{"vbarc"};
    ASSERT_TRUE(dir.writeFile("member.txt", "inside the archive"));
    SetCurrentDirectoryA(dir.path().c_str());
    struct Case {
        const char* library;
        const char* entry;
        const char* pack;
        const char* list;
        const char* archive;
    };
    // Packed by the same libraries, as a user's archives would be.
    const Case cases[] = {{"CAB32.DLL", "Cab", "-a test.cab member.txt", "-l ", "test.cab"},
                          {"UNLHA32.DLL", "Unlha", "a test.lzh member.txt", "l ", "test.lzh"}};
    for (const Case& c : cases) {
        const std::string packed = archiveListing(nullptr, c.library, c.entry, c.pack);
        ASSERT_NE(GetFileAttributesA((dir / c.archive).c_str()), INVALID_FILE_ATTRIBUTES) << packed;
        const std::string listing =
            archiveListing(nullptr, c.library, c.entry, c.list + shortPath(dir / c.archive));
        EXPECT_NE(listing.find("member.txt"), std::string::npos) << c.library << listing;
    }
    EXPECT_EQ(archiveListing(nullptr, "NOSUCH32.DLL", "Nosuch", "l x.lzh"), "");
    SetCurrentDirectoryA(programDirectory().c_str());
}

TEST(ViewerPlatform, PagesInTheirDeclaredCharsets) {
    ScratchDirectory dir{"vbhtml"};
    // 日本 in Shift-JIS, UTF-8 and EUC-JP, each page saying which it is.
    ASSERT_TRUE(dir.writeFile("sjis.html", "<meta charset=\"Shift_JIS\"><p>\x93\xfa\x96\x7b</p>"));
    ASSERT_TRUE(dir.writeFile("utf8.htm", "<p>\xE6\x97\xA5\xE6\x9C\xAC &amp; more</p>"));
    ASSERT_TRUE(dir.writeFile("euc.html", "<meta http-equiv=\"Content-Type\" "
                                          "content=\"text/html; charset=EUC-JP\"><p>\xC6\xFC\xCB\xDC"));
    ASSERT_TRUE(dir.writeFile("data.xml", "<?xml version=\"1.0\"?><a><b>\xE6\x97\xA5</b></a>"));
    EXPECT_EQ(documentText(dir / "sjis.html"), "\x93\xfa\x96\x7b\n");
    EXPECT_EQ(documentText(dir / "utf8.htm"), "\x93\xfa\x96\x7b & more\n");
    EXPECT_EQ(documentText(dir / "euc.html"), "\x93\xfa\x96\x7b\n");
    EXPECT_EQ(documentText(dir / "data.xml"),
              "<?xml version=\"1.0\"?>\n<a>\n  <b>\x93\xfa</b>\n</a>\n");
}
}  // namespace
