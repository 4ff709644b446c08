// Shortcuts made through the shell's link object and read back through it,
// and the helpers that must refuse quietly what the shell cannot handle.
#include "fileops/win/shell_helpers.h"

#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "testing/win/scratch_directory.h"

namespace {

// ショートカット in code page 932.
const std::string Word = "\x83\x56\x83\x87\x81\x5b\x83\x67\x83\x4a\x83\x62\x83\x67";
const std::string Hyou = "\x95\x5c";  // a character whose trail byte is "\"

class ShellHelpers : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

std::wstring wide(const std::string& text) {
    wchar_t buffer[MAX_PATH * 2] = L"";
    MultiByteToWideChar(932, 0, text.c_str(), -1, buffer, MAX_PATH * 2);
    return buffer;
}

struct LinkContents {
    bool loaded = false;
    std::string path;
    std::string start;
};

LinkContents readLink(const std::string& file) {
    LinkContents contents;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return contents;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        if (SUCCEEDED(persist->Load(wide(file).c_str(), STGM_READ))) {
            char buffer[MAX_PATH] = "";
            contents.loaded = SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, 0));
            contents.path = buffer;
            buffer[0] = '\0';
            link->GetWorkingDirectory(buffer, MAX_PATH);
            contents.start = buffer;
        }
        persist->Release();
    }
    link->Release();
    return contents;
}

int visibleDialogsOfThisThread() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            char name[16] = "";
            GetClassNameA(hwnd, name, sizeof name);
            if (std::string(name) == "#32770" && IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(lp);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

TEST_F(ShellHelpers, ShortcutHasTheJapaneseNameAndPointsAtItsTarget) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile("a.txt", "text"));
    std::string target = dir / "a.txt";

    std::string name = createShortcut(target, dir.path());
    EXPECT_EQ(name, "a.txt - " + Word + ".lnk");
    ASSERT_TRUE(fileExists(dir / name));
    LinkContents link = readLink(dir / name);
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.path, target);
    EXPECT_EQ(link.start, dir.path());

    std::string second = createShortcut(target, dir.path());
    EXPECT_EQ(second, "a.txt - " + Word + " (2).lnk");
    EXPECT_EQ(readLink(dir / second).path, target);
    EXPECT_EQ(readLink(dir / name).path, target);
}

TEST_F(ShellHelpers, ShortcutNeverReplacesAFileOfTheSameName) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.makeDirectory(Hyou));
    ASSERT_TRUE(dir.writeFile(Hyou + " - " + Word + ".lnk", "keep"));

    // The pane's ".." entry inside the directory stands for the directory itself.
    std::string name = createShortcut(dir / Hyou + "\\..", dir.path());
    EXPECT_EQ(name, Hyou + " - " + Word + " (2).lnk");
    EXPECT_EQ(readWholeFile(dir / (Hyou + " - " + Word + ".lnk")), "keep");
    LinkContents link = readLink(dir / name);
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.path, dir / Hyou);
}

TEST_F(ShellHelpers, ShortcutFailsWithoutLeavingAFile) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile("a.txt", "text"));
    EXPECT_EQ(createShortcut(dir / "a.txt", dir / "missing"), "");
    EXPECT_FALSE(fileExists(dir / "missing"));
    EXPECT_EQ(createShortcut("|host/dir/a.txt", dir.path()), "");
    EXPECT_EQ(createShortcut(dir / "x.zip>a.txt", dir.path()), "");
    EXPECT_EQ(createShortcut("", dir.path()), "");

    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir / "*.lnk").c_str(), &data);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST_F(ShellHelpers, PathsTheShellCannotHandleAreRefusedQuietly) {
    ScratchDirectory dir;
    EXPECT_FALSE(openInExplorer(nullptr, "|host/dir/a.txt"));
    EXPECT_FALSE(openInExplorer(nullptr, dir / "x.lzh>a.txt"));
    EXPECT_FALSE(openInExplorer(nullptr, ""));
    EXPECT_FALSE(showProperties(nullptr, "|host/dir/a.txt"));
    EXPECT_FALSE(showProperties(nullptr, ""));
    EXPECT_FALSE(showProperties(nullptr, dir / "missing.txt"));
    EXPECT_EQ(visibleDialogsOfThisThread(), 0);
}
