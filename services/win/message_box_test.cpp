// Real message boxes under Wine: the test thread shows the box while a second
// thread finds it, reads it the way a user would and presses a button.
#include "services/win/message_box.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "services/win/program_directory.h"
#include "base/text_file.h"
#include "testing/win/scratch_directory.h"

namespace {

const std::string Hyou = "\x95\x5c";                                  // 表
const std::string Hyouji = Hyou + "\x8e\xa6.txt";                     // 表示.txt
const std::string Sofuto = "\x83\x5c\x83\x74\x83\x67.txt";            // ソフト.txt
const std::string Kakunin = "\x8a\x6d\x94\x46";                       // 確認
const std::string Sakujo = "\x8d\xed\x8f\x9c";                        // 削除
const std::string Ikono = "\x8c\xc2\x82\xcc";                         // 個の

struct SeenBox {
    bool shown = false;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    std::vector<int> buttons;
};

BOOL CALLBACK findBox(HWND hwnd, LPARAM result) {
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(result) = hwnd;
    return FALSE;
}

BOOL CALLBACK readStatic(HWND child, LPARAM result) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0) return TRUE;
    char text[4000] = {};
    GetWindowTextA(child, text, sizeof text);
    if (text[0]) *reinterpret_cast<std::string*>(result) = text;
    return TRUE;
}

// Watches the thread that created it for a message box, reads it and presses
// the button; when no box comes within the wait, notes that none was shown.
class BoxDriver {
public:
    explicit BoxDriver(int button, DWORD waitMs = 10000)
        : thread_(GetCurrentThreadId()), worker_([this, button, waitMs] { run(button, waitMs); }) {}
    ~BoxDriver() { finish(); }
    const SeenBox& finish() {
        if (worker_.joinable()) worker_.join();
        return seen_;
    }

private:
    void run(int button, DWORD waitMs) {
        HWND box = nullptr;
        for (DWORD waited = 0; !box && waited < waitMs; waited += 20) {
            EnumThreadWindows(thread_, findBox, reinterpret_cast<LPARAM>(&box));
            if (!box) Sleep(20);
        }
        if (!box) return;
        seen_.shown = true;
        seen_.owner = GetWindow(box, GW_OWNER);
        char caption[1000] = {};
        GetWindowTextA(box, caption, sizeof caption);
        seen_.caption = caption;
        EnumChildWindows(box, readStatic, reinterpret_cast<LPARAM>(&seen_.text));
        for (int id = IDOK; id <= IDNO; ++id) {
            HWND b = GetDlgItem(box, id);
            if (b && IsWindowVisible(b)) seen_.buttons.push_back(id);
        }
        // Never press a button the box lacks: its answer would be made up.
        bool present = false;
        for (int id : seen_.buttons) present |= id == button;
        int press = present ? button : (seen_.buttons.empty() ? IDCANCEL : seen_.buttons[0]);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, press)));
    }

    DWORD thread_;
    SeenBox seen_;
    std::thread worker_;
};

// The static control may show a line break as CR LF.
std::string withoutCr(std::string s) {
    std::erase(s, '\r');
    return s;
}

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(dir.path().empty()); }
    void writeTable(const std::string& content) {
        ASSERT_TRUE(dir.writeFile("MESSAGE.tbl", content));
    }
    template <class... Args>
    int show(int number, const Args&... args) {
        const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
        return showMessageFrom(dir.path() + "\\", nullptr, number, list);
    }
    ScratchDirectory dir;
};

}  // namespace

TEST_F(MessageBoxTest, YesNoQuestionShowsTheCountAndAnswersNo) {
    writeTable("2000,MB_YESNO," + Sakujo + Kakunin + ",%d" + Ikono + "file?\n");
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner);
    setMessageOwner(owner);
    BoxDriver driver(IDNO);
    int result = show(2000, 3);
    const SeenBox& box = driver.finish();
    setMessageOwner(nullptr);
    DestroyWindow(owner);

    ASSERT_TRUE(box.shown);
    EXPECT_EQ(result, IDNO);
    EXPECT_FALSE(isYes(result));
    EXPECT_EQ(box.caption, Sakujo + Kakunin);
    EXPECT_EQ(withoutCr(box.text), "3" + Ikono + "file?\n");
    EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(box.owner, owner);  // no owner given: the registered window
}

TEST_F(MessageBoxTest, JapaneseNamesAndLineBreakInAnOkOnlyBox) {
    // Lower-case type: OK only, and OK counts as yes.
    writeTable("2006,mb_yesno," + Kakunin + ",%s\\n-> %s\r\n");
    BoxDriver driver(IDYES);
    int result = show(2006, Hyouji, std::string(Sofuto));
    const SeenBox& box = driver.finish();

    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(isYes(result));
    EXPECT_EQ(withoutCr(box.text), Hyouji + "\n-> " + Sofuto + "\n");
}

TEST_F(MessageBoxTest, FirstLineWinsAndTheFileIsReadForEveryMessage) {
    writeTable("1001,MB_OKCANCEL,First,one\n1001,MB_OK,Second,two\n");
    {
        BoxDriver driver(IDCANCEL);
        EXPECT_EQ(show(1001), IDCANCEL);
        EXPECT_EQ(driver.finish().caption, "First");
        EXPECT_EQ(driver.finish().buttons, (std::vector<int>{IDOK, IDCANCEL}));
    }
    writeTable("1001,MB_RETRYCANCEL,Edited,now\n");
    BoxDriver driver(IDRETRY);
    int result = show(1001);
    EXPECT_EQ(driver.finish().caption, "Edited");
    EXPECT_EQ(result, IDRETRY);
    EXPECT_TRUE(isYes(result));
}

TEST_F(MessageBoxTest, MissingFileNumberOrCaptionAnswersYesWithoutABox) {
    {
        BoxDriver watch(IDNO, 500);
        EXPECT_EQ(show(2000, 3), IDYES);  // no file at all
        EXPECT_FALSE(watch.finish().shown);
    }
    writeTable("2001,MB_YESNO,Copy,%d\n2002,MB_YESNO,,%d\n");
    BoxDriver watch(IDNO, 500);
    EXPECT_EQ(show(2000, 3), IDYES);
    EXPECT_EQ(show(2002, 3), IDYES);
    EXPECT_FALSE(watch.finish().shown);
}

TEST_F(MessageBoxTest, HostileTextIsShownLiterally) {
    writeTable("7,MB_OK,C,%n%s%d%5d%\n");
    BoxDriver driver(IDOK);
    EXPECT_EQ(show(7, 42, Hyouji), IDOK);
    EXPECT_EQ(withoutCr(driver.finish().text), "%n%s%d%5d%\n");
}

// The table shipped beside the program: the real call reads it, and every
// number the program uses has a caption, fitting buttons and conversions that
// take exactly the arguments its callers pass.
TEST(ShippedMessages, EveryNumberInUseIsThereWithItsArguments) {
    std::optional<std::string> content = readTextFile(programDirectory() + "MESSAGE.tbl");
    ASSERT_TRUE(content) << "MESSAGE.tbl missing beside the test program";
    MessageTable table(*content);
    const std::string name = "[name]", other = "[other]", reason = "[reason]";
    struct Use {
        int number;
        bool question;
        std::vector<FormatArg> args;
        std::vector<std::string> shows;
    };
    const Use uses[] = {
        {1001, false, {}, {}},
        {1002, true, {}, {}},
        {1003, false, {name}, {name}},
        {1010, false, {name, other}, {name, other}},
        {1011, false, {name, other}, {name, other}},
        {1012, false, {name, other}, {name, other}},
        {1013, false, {name, other, reason}, {name, other, reason}},
        {1014, false, {name, other}, {name, other}},
        {1015, false, {name, other}, {name, other}},
        {1016, false, {name, other}, {name, other}},
        {1017, false, {name}, {name}},
        {1018, false, {name}, {name}},
        {1019, false, {name}, {name}},
        {2000, true, {12345}, {"12345"}},
        {2001, true, {12345}, {"12345"}},
        {2002, true, {12345}, {"12345"}},
        {2003, true, {}, {}},
        {2006, false, {name, other}, {name, other}},
        {2007, false, {}, {}},
        {2008, false, {}, {}},
        {2009, false, {}, {}},
        {2010, false, {name}, {name}},
    };
    for (const Use& use : uses) {
        SCOPED_TRACE(use.number);
        std::optional<Message> m = table.find(use.number);
        ASSERT_TRUE(m);
        // A question needs a button that says no.
        if (use.question)
            EXPECT_TRUE(m->type == MB_YESNO || m->type == MB_OKCANCEL || m->type == MB_YESNOCANCEL);
        else
            EXPECT_EQ(m->type, MB_OK);
        std::string shown = safeFormat(m->text, use.args);
        for (const std::string& s : use.shows) EXPECT_NE(shown.find(s), std::string::npos) << shown;
        EXPECT_EQ(shown.find("%d"), std::string::npos) << shown;
        EXPECT_EQ(shown.find("%s"), std::string::npos) << shown;
    }

    BoxDriver driver(IDYES);
    int result = showMessage(nullptr, 2000, 5);
    const SeenBox& box = driver.finish();
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(result, IDYES);
    EXPECT_EQ(box.caption, table.find(2000)->caption);
    EXPECT_NE(box.text.find("5"), std::string::npos);
}
