// Every way the main window becomes active again leaves the keyboard focus on
// the key receiver, so the very next key the user types moves the cursor:
// hand-overs, activation by key, dialogs and boxes closed, clicks, coming
// back from another program and from the viewer.
#include <gtest/gtest.h>

#include "services/win/program_directory.h"
#include "commands/command_id.h"
#include "e2e/vorbin_process.h"

namespace {
constexpr int Receiver = 1026;
constexpr int Pane = 1003;
constexpr int LineHeight = 16;  // the shipped font

// A window of "another program": the test's own, in a corner the pane does
// not reach.
class OtherWindow {
public:
    OtherWindow()
        : hwnd_(CreateWindowExA(WS_EX_TOPMOST, "STATIC", "other program", WS_POPUP | WS_VISIBLE,
                                1180, 950, 80, 50, nullptr, nullptr, nullptr, nullptr)) {}
    ~OtherWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_;
};

POINT rowPoint(int row) { return {20, row * LineHeight + LineHeight / 2}; }

class KeyboardFocus : public ::testing::Test {
protected:
    ProgramDirectory program;
    ScratchDirectory tree{"vbfocus"};
    std::unique_ptr<VorbinProcess> vorbin;

    void SetUp() override {
        ASSERT_TRUE(tree.makeDirectory("Alpha"));
        ASSERT_TRUE(tree.makeDirectory("Beta"));
        ASSERT_TRUE(tree.writeFile("Alpha\\inner.txt", "x"));
        for (const char* name : {"a.txt", "b.txt", "c.txt"}) ASSERT_TRUE(tree.writeFile(name, name));
        ASSERT_TRUE(writeKeyTable(program, {{VK_F2, false, false, false, CmdVorbinAct1, ""},
                                            {VK_F3, false, false, false, CmdFind, ""},
                                            {VK_F4, false, false, false, CmdDelete, ""},
                                            {VK_F5, false, false, false, CmdViewfile, ""},
                                            {VK_F6, false, false, false, CmdVorbinAct0, ""}}));
        setLastPath(program, tree.path());
        vorbin = std::make_unique<VorbinProcess>(program);
        ASSERT_TRUE(vorbin->waitForWindow());
        ASSERT_TRUE(cursorOn(".."));
    }

    bool cursorOn(const std::string& name) {
        return waitUntil([&] { return viewedPath() == tree / name; }, 5000);
    }
    bool at(const std::string& path) {
        return waitUntil([&] { return vorbin->title().ends_with(path); }, 5000);
    }

    // The next key after the situation: it reaches the pane at once, and the
    // focus is the receiver's.
    void downMovesTo(const std::string& name) { keyMovesTo(VK_DOWN, name); }
    void keyMovesTo(int key, const std::string& name) {
        const std::string before = viewedPath();
        ASSERT_TRUE(vorbin->key(key));
        EXPECT_TRUE(cursorOn(name)) << "key " << key << " was lost: the cursor is on " << viewedPath()
                                    << ", was on " << before;
        EXPECT_EQ(focusOf(vorbin->window()), GetDlgItem(vorbin->window(), Receiver))
            << "the pane is " << GetDlgItem(vorbin->window(), Pane);
    }
};
}  // namespace

TEST_F(KeyboardFocus, HandOversOfADirectoryAndOfAFile) {
    handOver(*vorbin, tree / "Alpha");
    // Typed at once, as the user does: Backspace leaves, the cursor on Alpha.
    ASSERT_TRUE(vorbin->key(VK_BACK));
    ASSERT_TRUE(at(tree.path())) << vorbin->title();
    ASSERT_TRUE(cursorOn("Alpha")) << viewedPath();
    downMovesTo("Beta");

    handOver(*vorbin, tree / "b.txt");
    ASSERT_TRUE(cursorOn("b.txt")) << viewedPath();
    downMovesTo("c.txt");

    // The empty hand-over only activates.
    handOver(*vorbin, "");
    keyMovesTo(VK_UP, "b.txt");
}

TEST_F(KeyboardFocus, ActivationByKeyFromAnotherInstance) {
    VorbinProcess second(program);
    ASSERT_TRUE(second.waitForWindow());
    ASSERT_EQ(second.title().rfind("[Vorbin:1]", 0), 0u);
    ASSERT_TRUE(vorbin->key(VK_F2));  // instance 0 hands the front to instance 1
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == second.window(); }, 5000));
    ASSERT_TRUE(second.key(VK_F6));  // and instance 1 hands it back
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == vorbin->window(); }, 5000));
    downMovesTo("Alpha");
}

TEST_F(KeyboardFocus, ClosingADialogAndAShellConfirmation) {
    ASSERT_TRUE(vorbin->key(VK_F3));
    HWND find = waitForDialog("Find filename");
    ASSERT_TRUE(find);
    ASSERT_TRUE(typeKey(find, {VK_ESCAPE}));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(find); }, 3000));
    downMovesTo("Alpha");

    ASSERT_TRUE(vorbin->key(VK_F4));  // delete Alpha? The user clicks "No".
    HWND confirm = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        confirm = GetForegroundWindow();
        return confirm && confirm != vorbin->window() && GetDlgItem(confirm, IDNO);
    }));
    HWND no = GetDlgItem(confirm, IDNO);
    RECT r{};
    GetClientRect(no, &r);
    ASSERT_TRUE(clickAt(no, {r.right / 2, r.bottom / 2}));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(confirm) || !IsWindowVisible(confirm); }, 5000));
    EXPECT_TRUE(fileExists(tree / "Alpha"));
    downMovesTo("Beta");
}

TEST_F(KeyboardFocus, ClicksInThePaneWhileAnotherProgramIsInFront) {
    OtherWindow other;
    HWND pane = GetDlgItem(vorbin->window(), Pane);
    // Shown: "..", Alpha, Beta, a.txt, b.txt, c.txt.
    ASSERT_TRUE(takeForeground(other.hwnd()));
    ASSERT_TRUE(clickAt(pane, rowPoint(3)));
    ASSERT_TRUE(cursorOn("a.txt")) << viewedPath();
    downMovesTo("b.txt");

    ASSERT_TRUE(takeForeground(other.hwnd()));
    ASSERT_TRUE(clickAt(pane, rowPoint(1), true));
    ASSERT_TRUE(at(tree / "Alpha")) << vorbin->title();
    downMovesTo("Alpha\\inner.txt");
}

TEST_F(KeyboardFocus, ComingBackFromAnotherProgramAndFromTheViewer) {
    OtherWindow other;
    ASSERT_TRUE(takeForeground(other.hwnd()));
    // The key helper switches back as the user does, then types.
    downMovesTo("Alpha");

    // The viewer takes the front as it starts; Vorbin takes it back by itself.
    ASSERT_TRUE(CopyFileA((programDirectory() + "viewer_standin.exe").c_str(),
                          (program / "Pelko.exe").c_str(), FALSE));
    ASSERT_TRUE(vorbin->key(VK_F5));
    HWND viewer = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (viewer = FindWindowA(nullptr, "[Pelko] stand-in")); }));
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == vorbin->window(); }, 5000))
        << "the front stayed with " << GetForegroundWindow();
    downMovesTo("Beta");
    ASSERT_TRUE(vorbin->key(VK_F5));  // closes the viewer
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(viewer); }, 5000));
}
