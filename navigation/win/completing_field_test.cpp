// The one-line input dialog opened for real with a completing field attached
// the way the program attaches it, driven with real key strokes: Ctrl + the
// settings' letters complete directories and files, Shift steps back, and a
// name without a drive is left alone.
#include "navigation/win/completing_field.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "services/win/ini_profile.h"
#include "base/win/clipboard.h"
#include "testing/win/scratch_directory.h"
#include "panes/ext_table.h"
#include "testing/win/dialog_test_driver.h"
#include "panes/win/find_name_dialog.h"
#include "panes/win/find_name_dialog_ids.h"
#include "panes/win/win_file_system.h"

using namespace dialog_test;

namespace {

void tapWithControl(WORD vk, bool shift = false) {
    if (shift) sendKey(VK_SHIFT, false);
    sendKey(VK_CONTROL, false);
    tap(vk);
    sendKey(VK_CONTROL, true);
    if (shift) sendKey(VK_SHIFT, true);
}

HWND fieldEdit(HWND dialog) {
    return FindWindowExA(GetDlgItem(dialog, IDC_FIND_NAME_TEXT), nullptr, "Edit", nullptr);
}

std::string fieldText(HWND dialog) { return itemText(dialog, IDC_FIND_NAME_TEXT); }

// Characters as the edit receives them from typing.
void type(HWND dialog, const std::string& keys) {
    HWND edit = fieldEdit(dialog);
    for (char c : keys) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// Presses Ctrl + key and answers the field's text once it has changed.
std::string completeWith(HWND dialog, WORD key, bool shift = false) {
    std::string before = fieldText(dialog);
    tapWithControl(key, shift);
    waitFor([&] { return fieldText(dialog) != before; });
    return fieldText(dialog);
}

bool putTextOnClipboard(const std::string& text) {
    ClipboardSession session(nullptr);
    if (!session || !EmptyClipboard()) return false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return false;
    if (void* at = GlobalLock(memory)) {
        std::memcpy(at, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        if (SetClipboardData(CF_TEXT, memory)) return true;
    }
    GlobalFree(memory);
    return false;
}

struct Program {
    ScratchDirectory dir;
    IniProfile profile{dir / "Vorbin.ini"};
    Settings settings{profile, dir.path() + "\\"};
    WinFileSystem fileSystem;
    ExtTable colours;

    // The input dialog with a completing field, as the program opens it.
    bool input(const std::string& caption, std::string& text) {
        CompletingField field(completionSource(fileSystem, colours), settings.DirFindKey,
                              settings.FileFindKey);
        return runInputLineDialog(nullptr, caption, settings, text,
                                  [&field](HWND edit) { field.attach(edit); });
    }
};

// A listing where a completion that ignored the typed name would show:
// "aaa_dir" and "aaa.txt" come first.
struct Tree {
    ScratchDirectory dir;
    Tree() {
        EXPECT_TRUE(dir.makeDirectory("aaa_dir"));
        EXPECT_TRUE(dir.writeFile("aaa.txt", "x"));
        EXPECT_TRUE(dir.makeDirectory("prefix_dir"));
        EXPECT_TRUE(dir.makeDirectory("premier_dir"));
        EXPECT_TRUE(dir.writeFile("prefix.txt", "x"));
        EXPECT_TRUE(dir.makeDirectory("zeta"));
    }
};

}  // namespace

TEST(CompletingField, CtrlLettersCompleteTheTypedPathInTheInputDialog) {
    Program program;
    Tree tree;
    std::vector<std::string> directories;
    std::string back, file;
    std::vector<std::string> afterTyping;
    std::string text;
    bool result = false;
    ASSERT_TRUE(drive(
        "Copy", [&] { result = program.input("Copy", text); },
        [&](HWND d) {
            activate(d);
            type(d, tree.dir.path() + "\\pre");
            directories.push_back(completeWith(d, 'D'));
            directories.push_back(completeWith(d, 'D'));
            back = completeWith(d, 'D', true);
            file = completeWith(d, 'F');
            // Typing starts afresh: "prefix" now fits only one directory.
            // Real keys, so that they come after the release of Ctrl.
            for (int i = 0; i < 4; ++i) tap(VK_BACK);
            waitFor([&] { return fieldText(d).size() == file.size() - 4; });
            afterTyping.push_back(completeWith(d, 'D'));
            afterTyping.push_back(completeWith(d, 'D'));
            press(d, IDOK);
        }));
    const std::set<std::string> candidates{tree.dir / "prefix_dir", tree.dir / "premier_dir"};
    ASSERT_EQ(directories.size(), 2u);
    EXPECT_TRUE(candidates.count(directories[0])) << directories[0];
    EXPECT_TRUE(candidates.count(directories[1])) << directories[1];
    EXPECT_NE(directories[0], directories[1]);
    // One step back from the second candidate is the first.
    EXPECT_EQ(back, directories[0]);
    EXPECT_EQ(file, tree.dir / "prefix.txt");
    EXPECT_EQ(afterTyping,
              (std::vector<std::string>{tree.dir / "prefix_dir", tree.dir / "prefix_dir"}));
    EXPECT_TRUE(result);
    EXPECT_EQ(text, tree.dir / "prefix_dir");
}

TEST(CompletingField, StartsFromTheInitialTextAndSwallowsTheLettersCharacter) {
    Program program;
    Tree tree;
    // Ctrl+V is also a paste: completing must not paste as well.
    ASSERT_TRUE(putTextOnClipboard("PASTED"));
    program.settings.DirFindKey = 'V';
    program.settings.FileFindKey = 'v';  // the same key: both kinds
    std::vector<std::string> completed;
    std::string last;
    std::string text = tree.dir.path() + "\\pre";
    bool result = false;
    ASSERT_TRUE(drive(
        "Make Dir", [&] { result = program.input("Make Dir", text); },
        [&](HWND d) {
            activate(d);
            for (int i = 0; i < 3; ++i) completed.push_back(completeWith(d, 'V'));
            // Keys are handled in order: once this one has landed, so has the last Ctrl+V.
            tap('Q');
            waitFor([&] { return fieldText(d).size() > completed.back().size(); });
            last = fieldText(d);
            press(d, IDCANCEL);
        }));
    EXPECT_EQ(std::set<std::string>(completed.begin(), completed.end()),
              (std::set<std::string>{tree.dir / "prefix_dir", tree.dir / "premier_dir",
                                     tree.dir / "prefix.txt"}));
    ASSERT_EQ(last.size(), completed.back().size() + 1) << last;
    EXPECT_EQ(last.substr(0, completed.back().size()), completed.back());
    EXPECT_FALSE(result);
}

TEST(CompletingField, ANameWithoutADriveIsLeftAlone) {
    Program program;
    Tree tree;
    std::string afterCompletion;
    std::string text;
    bool result = false;
    ASSERT_TRUE(drive(
        "Move", [&] { result = program.input("Move", text); },
        [&](HWND d) {
            activate(d);
            type(d, "pre");
            tapWithControl('D');
            // Keys are handled in order: once this one has landed, so has Ctrl+D.
            tap('Q');
            waitFor([&] { return fieldText(d).size() > 3; });
            afterCompletion = fieldText(d);
            press(d, IDOK);
        }));
    ASSERT_EQ(afterCompletion.size(), 4u);
    EXPECT_EQ(afterCompletion.substr(0, 3), "pre");
    EXPECT_TRUE(afterCompletion[3] == 'q' || afterCompletion[3] == 'Q');
    EXPECT_TRUE(result);
    EXPECT_EQ(text, afterCompletion);
}
