// Local file work from the keyboard in the real program: copy with the
// proposed name, move, make, create, delete to the trash and for good, and
// nothing lost when the user says "No" to an overwrite.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "services/win/program_directory.h"
#include "base/text_file.h"
#include "commands/command_id.h"
#include "e2e/vorbin_process.h"
#include "fileops/win/attribute_dialog_ids.h"
#include "fileops/win/exec_command_dialog_ids.h"
#include "fileops/win/rename_dialog_ids.h"
#include "panes/win/find_name_dialog_ids.h"

namespace {

std::string comboText(HWND dialog) {
    // GetWindowText would not ask a window of another process.
    char text[600] = {};
    SendMessageA(GetDlgItem(dialog, IDC_FIND_NAME_TEXT), WM_GETTEXT, sizeof text,
                 reinterpret_cast<LPARAM>(text));
    return text;
}

void setComboText(HWND dialog, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, IDC_FIND_NAME_TEXT), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

// Space marks the cursor entry and steps on; the step is waited for, so a
// key sent next cannot overtake it.
void markAndStep(const VorbinProcess& vorbin) {
    const std::string before = viewedPath();
    vorbin.key(VK_SPACE);
    waitUntil([&] { return viewedPath() != before; }, 2000);
}

bool isDirectory(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The Wine trash of the test's own home, as a Windows path; "" when the
// runner did not say where that home is.
std::string trashFiles() {
    const char* home = std::getenv("VORBIN_TEST_HOME");
    if (!home || !*home) return {};
    std::string path = std::string("Z:") + home + "/.local/share/Trash/files";
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// The drop effect another program left with files on the clipboard; 0 when none.
DWORD clipboardDropEffect() {
    DWORD effect = 0;
    if (!OpenClipboard(nullptr)) return 0;
    if (IsClipboardFormatAvailable(CF_HDROP)) {
        if (HANDLE data = GetClipboardData(RegisterClipboardFormatA("Preferred DropEffect"))) {
            if (const void* bytes = GlobalLock(data)) {
                effect = *static_cast<const DWORD*>(bytes);
                GlobalUnlock(data);
            }
        }
    }
    CloseClipboard();
    return effect;
}

class FileOperations : public ::testing::Test {
protected:
    ProgramDirectory program;
    ScratchDirectory tree{"vbops"};
    std::unique_ptr<VorbinProcess> vorbin;

    // The shipped KEY.TBL, or the built-in map with bindings on top.
    void start(std::initializer_list<KeyBinding> bindings, bool shippedKeys = false) {
        if (!shippedKeys) ASSERT_TRUE(writeKeyTable(program, bindings));
        setLastPath(program, tree.path());
        vorbin = std::make_unique<VorbinProcess>(program);
        ASSERT_TRUE(vorbin->waitForWindow());
        ASSERT_TRUE(waitUntil([&] { return vorbin->title().ends_with(tree.path()); }, 5000));
    }

    bool cursorOn(const std::string& name) {
        return waitUntil([&] { return viewedPath() == tree / name; }, 5000);
    }

    // The cursor on an entry, as a user reaches it: with the arrow keys, so
    // the marks stay.
    void pointAt(const std::string& name) {
        ASSERT_TRUE(moveCursorTo(*vorbin, tree / name)) << viewedPath();
    }

    // Runs the key of a one-line input dialog and answers it with text.
    void answerInput(int key, const char* caption, const std::string& text) {
        vorbin->key(key);
        HWND dialog = waitForDialog(caption);
        ASSERT_TRUE(dialog) << caption;
        // Names outside ASCII need an input method, which the tests do not drive.
        const bool plain = std::all_of(text.begin(), text.end(),
                                       [](unsigned char c) { return c >= 0x20 && c < 0x7F; });
        if (plain)
            ASSERT_TRUE(replaceText(dialog, text));
        else
            setComboText(dialog, text);
        ASSERT_TRUE(typeKey(dialog, {VK_RETURN}));
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 5000));
    }
};

}  // namespace

TEST_F(FileOperations, CopyMoveMakeAndCreate) {
    ASSERT_TRUE(tree.writeFile("a.txt", "alpha"));
    ASSERT_TRUE(tree.writeFile("b.txt", "beta"));
    ASSERT_TRUE(tree.writeFile("c.txt", "gamma"));
    ASSERT_TRUE(tree.makeDirectory("sub"));
    ASSERT_TRUE(tree.writeFile("sub\\c.txt", "old"));
    start({{VK_F4, false, false, false, CmdCreateFile, ""}});

    // The copy proposes the name with "_Copy" and lands the cursor on it.
    pointAt("a.txt");
    vorbin->key('C');
    HWND copy = waitForDialog("Copy");
    ASSERT_TRUE(copy);
    EXPECT_EQ(comboText(copy), "a_Copy.txt");
    ASSERT_TRUE(typeKey(copy, {VK_RETURN}));
    EXPECT_TRUE(cursorOn("a_Copy.txt")) << viewedPath();
    EXPECT_EQ(readWholeFile(tree / "a_Copy.txt"), "alpha");
    EXPECT_EQ(readWholeFile(tree / "a.txt"), "alpha");

    // The earlier destinations are offered again under the dialog's caption.
    char remembered[64] = {};
    GetPrivateProfileStringA("Copy", "TEXT00", "", remembered, sizeof remembered,
                             (program / "Vorbin.ini").c_str());
    EXPECT_STREQ(remembered, "a_Copy.txt");

    // Move of a marked file into a directory typed relative to the pane.
    pointAt("b.txt");
    markAndStep(*vorbin);
    answerInput('M', "Move", "sub");
    EXPECT_TRUE(waitUntil([&] { return fileExists(tree / "sub\\b.txt"); }, 5000));
    EXPECT_FALSE(fileExists(tree / "b.txt"));
    EXPECT_EQ(readWholeFile(tree / "sub\\b.txt"), "beta");

    // A move onto an existing name answered "No" keeps both files whole.
    pointAt("c.txt");
    vorbin->key('M');
    HWND move = waitForDialog("Move");
    ASSERT_TRUE(move);
    ASSERT_TRUE(replaceText(move, "sub"));
    ASSERT_TRUE(typeKey(move, {VK_RETURN}));
    EXPECT_TRUE(answerShellConfirmation(IDNO));
    Sleep(500);
    EXPECT_EQ(readWholeFile(tree / "c.txt"), "gamma");
    EXPECT_EQ(readWholeFile(tree / "sub\\c.txt"), "old");

    // A directory with a Japanese name, and an empty file, each with the cursor on it.
    const std::string shinki = "\x90\x56\x8b\x4b";  // 新規
    answerInput('K', "Make Dir", shinki);
    EXPECT_TRUE(waitUntil([&] { return isDirectory(tree / shinki); }, 5000));
    EXPECT_TRUE(cursorOn(shinki)) << viewedPath();
    answerInput(VK_F4, "Create File", "memo.txt");
    EXPECT_TRUE(cursorOn("memo.txt")) << viewedPath();
    EXPECT_TRUE(fileExists(tree / "memo.txt"));
    EXPECT_EQ(readWholeFile(tree / "memo.txt"), "");
}

TEST_F(FileOperations, ShippedDeleteKeysTrashKillForGoodAndOnlyTheMarkedSet) {
    // A name of this run only: the trash renames a name it already holds.
    char unique[32];
    std::snprintf(unique, sizeof unique, "d%lu.txt", GetTickCount());
    const std::string trashed = unique;
    for (const std::string& name : {trashed, std::string("gone.txt"), std::string("x1.txt"),
                                    std::string("x2.txt"), std::string("x3.txt")})
        ASSERT_TRUE(tree.writeFile(name, name));
    // Delete and Shift+Delete as the shipped key table binds them.
    start({}, true);
    const std::string trash = trashFiles();

    pointAt(trashed);
    vorbin->key(VK_DELETE);
    EXPECT_TRUE(answerShellConfirmation(IDYES));
    EXPECT_TRUE(waitUntil([&] { return !fileExists(tree / trashed); }, 5000));
    if (!trash.empty()) {
        EXPECT_EQ(readWholeFile(trash + "\\" + trashed), trashed) << trash;
        DeleteFileA((trash + "\\" + trashed).c_str());
    } else {
        ADD_FAILURE() << "VORBIN_TEST_HOME is not set; run the tests through scripts/test";
    }

    pointAt("gone.txt");
    vorbin->key(Keystroke{VK_DELETE, true});
    EXPECT_TRUE(answerShellConfirmation(IDYES));
    EXPECT_TRUE(waitUntil([&] { return !fileExists(tree / "gone.txt"); }, 5000));
    if (!trash.empty()) {
        EXPECT_FALSE(fileExists(trash + "\\gone.txt"));
    }

    // Two marked of three: exactly those two go.
    pointAt("x1.txt");
    markAndStep(*vorbin);
    pointAt("x3.txt");
    markAndStep(*vorbin);
    vorbin->key(Keystroke{VK_DELETE, true});
    EXPECT_TRUE(answerShellConfirmation(IDYES));
    EXPECT_TRUE(waitUntil([&] { return !fileExists(tree / "x3.txt"); }, 5000));
    EXPECT_FALSE(fileExists(tree / "x1.txt"));
    EXPECT_TRUE(fileExists(tree / "x2.txt"));
}

TEST_F(FileOperations, CommandLinesRunPerMarkedEntryAndAskForParameters) {
    ScratchDirectory tools{"vbrec"};
    ASSERT_TRUE(tools.makeDirectory("rec dir"));
    const std::string recorder = tools / "rec dir\\run_recorder.exe";
    ASSERT_TRUE(CopyFileA((programDirectory() + "run_recorder.exe").c_str(), recorder.c_str(), FALSE));
    const std::string runs = tools / "rec dir\\runs.txt";
    for (const char* name : {"one.txt", "two.txt", "three.txt", "four.txt"})
        ASSERT_TRUE(tree.writeFile(name, name));
    start({{VK_F5, false, false, false, 0, recorder + ",$M"},
           {VK_F6, false, false, false, 0, recorder + ",$P"}});

    for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
        pointAt(name);
        markAndStep(*vorbin);
    }
    vorbin->key(VK_F5);
    ASSERT_TRUE(waitUntil(
        [&] {
            std::string text = readWholeFile(runs);
            return std::count(text.begin(), text.end(), '\n') >= 3;
        },
        10000))
        << readWholeFile(runs);
    Sleep(300);  // a fourth run would show by now
    std::string recorded = readWholeFile(runs);
    for (const char* line : {"one\r\n", "two\r\n", "three\r\n"})
        EXPECT_NE(recorded.find(line), std::string::npos) << recorded;
    EXPECT_EQ(std::count(recorded.begin(), recorded.end(), '\n'), 3) << recorded;

    // The prompt's answer holds a blank, so the program gets it quoted.
    DeleteFileA(runs.c_str());
    vorbin->key(VK_F6);
    HWND prompt = waitForDialog("Parameter [1]");
    ASSERT_TRUE(prompt);
    ASSERT_TRUE(replaceText(prompt, "hello world"));
    ASSERT_TRUE(typeKey(prompt, {VK_RETURN}));
    EXPECT_TRUE(waitUntil([&] { return fileExists(runs); }, 10000));
    EXPECT_TRUE(waitUntil([&] { return readWholeFile(runs) == "\"hello world\"\r\n"; }, 3000))
        << readWholeFile(runs);
}

TEST_F(FileOperations, BareDriveDestinationIsThatDrivesLastDirectory) {
    // The destination lives on another drive than the listing.
    char name[64];
    std::snprintf(name, sizeof name, "Z:\\tmp\\vbdrive%lu", GetCurrentProcessId());
    const std::string elsewhere = name;
    deleteTree(elsewhere);
    ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr));
    ASSERT_TRUE(tree.writeFile("p.txt", "p"));
    ASSERT_TRUE(tree.writeFile("q.txt", "q"));
    start({});

    handOver(*vorbin, elsewhere);
    ASSERT_TRUE(waitUntil([&] { return vorbin->title().ends_with(elsewhere); }, 5000));
    handOver(*vorbin, tree.path());
    ASSERT_TRUE(waitUntil([&] { return vorbin->title().ends_with(tree.path()); }, 5000));
    pointAt("p.txt");
    markAndStep(*vorbin);
    pointAt("q.txt");
    markAndStep(*vorbin);
    answerInput('C', "Copy", "z:");
    EXPECT_TRUE(waitUntil([&] { return fileExists(elsewhere + "\\q.txt"); }, 5000));
    EXPECT_EQ(readWholeFile(elsewhere + "\\p.txt"), "p");
    EXPECT_EQ(readWholeFile(tree / "p.txt"), "p");
    deleteTree(elsewhere);
}

TEST_F(FileOperations, RenameEachMarkedEntryAndSetATimeOnAReadOnlyFile) {
    ASSERT_TRUE(tree.writeFile("r0.txt", "zeroth"));
    ASSERT_TRUE(tree.writeFile("r1.txt", "first"));
    ASSERT_TRUE(tree.writeFile("r2.txt", "second"));
    ASSERT_TRUE(tree.writeFile("ro.txt", "locked", FILE_ATTRIBUTE_READONLY));
    start({{VK_F11, false, false, false, CmdAttribute, ""}});

    for (const char* name : {"r0.txt", "r1.txt", "r2.txt"}) {
        pointAt(name);
        markAndStep(*vorbin);
    }
    vorbin->key('N');
    // The first keeps its name; OK on it goes on to the next one.
    for (const char* newName : {"", "s1.txt", "s2.txt"}) {
        HWND rename = waitForDialog("Rename");
        ASSERT_TRUE(rename) << newName;
        if (*newName)
            SendMessageA(GetDlgItem(rename, IDC_RENAME_NEW), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(newName));
        pressButton(rename, IDOK);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(rename); }, 5000));
    }
    EXPECT_TRUE(cursorOn("s2.txt")) << viewedPath();
    EXPECT_EQ(readWholeFile(tree / "s1.txt"), "first");
    EXPECT_EQ(readWholeFile(tree / "s2.txt"), "second");
    EXPECT_EQ(readWholeFile(tree / "r0.txt"), "zeroth");
    EXPECT_FALSE(fileExists(tree / "r1.txt"));
    EXPECT_FALSE(fileExists(tree / "r2.txt"));

    // A time set on a read-only file with read-only kept: written, and still read-only.
    pointAt("ro.txt");
    vorbin->key(VK_F11);
    HWND attributes = waitForDialog("Attribute");
    ASSERT_TRUE(attributes);
    EXPECT_EQ(SendMessageA(GetDlgItem(attributes, IDC_ATTRIBUTE_READONLY), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    SendMessageA(GetDlgItem(attributes, IDC_ATTRIBUTE_TIME), BM_CLICK, 0, 0);
    const std::pair<int, const char*> fields[] = {
        {IDC_ATTRIBUTE_YEAR, "2020"}, {IDC_ATTRIBUTE_MONTH, "5"},  {IDC_ATTRIBUTE_DAY, "6"},
        {IDC_ATTRIBUTE_HOUR, "7"},    {IDC_ATTRIBUTE_MINUTE, "8"}, {IDC_ATTRIBUTE_SECOND, "9"}};
    for (const auto& [id, text] : fields)
        SendMessageA(GetDlgItem(attributes, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    pressButton(attributes, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(attributes); }, 5000));

    SYSTEMTIME local{2020, 5, 0, 6, 7, 8, 9, 0};
    FILETIME localTime{}, expected{};
    ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime));
    ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &expected));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(waitUntil(
        [&] {
            return GetFileAttributesExA((tree / "ro.txt").c_str(), GetFileExInfoStandard, &data) &&
                   CompareFileTime(&data.ftLastWriteTime, &expected) == 0;
        },
        5000));
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(readWholeFile(tree / "ro.txt"), "locked");
}

TEST_F(FileOperations, EditorBatchFileCommandListAndShortcut) {
    ScratchDirectory tools{"vbrec"};
    const std::string recorder = tools / "run_recorder.exe";
    ASSERT_TRUE(CopyFileA((programDirectory() + "run_recorder.exe").c_str(), recorder.c_str(), FALSE));
    const std::string runs = tools / "runs.txt";
    ASSERT_TRUE(tree.writeFile("notes.txt", "n"));
    ASSERT_TRUE(tree.writeFile("make.bat", "@echo ran> ran.txt\r\n"));
    WritePrivateProfileStringA("PATH", "Editor", recorder.c_str(), (program / "Vorbin.ini").c_str());
    ASSERT_TRUE(writeTextFile(program / "ExecCmd.tbl", recorder + ",$F\n"));
    start({{VK_F2, false, false, false, CmdEdit, ""},
           {VK_F3, false, false, false, CmdCreateShortcut, ""}});

    // The editor of the settings gets the entry's full path.
    pointAt("notes.txt");
    vorbin->key(VK_F2);
    EXPECT_TRUE(waitUntil([&] { return readWholeFile(runs) == tree / "notes.txt" + "\r\n"; }, 10000))
        << readWholeFile(runs);

    // A batch file runs through the shell, in the pane's directory.
    pointAt("make.bat");
    vorbin->key('R');
    EXPECT_TRUE(waitUntil([&] { return fileExists(tree / "ran.txt"); }, 15000));

    // The right button opens the command list; the command runs on the cursor entry.
    DeleteFileA(runs.c_str());
    pointAt("notes.txt");
    HWND pane = GetDlgItem(vorbin->window(), 1003);
    RECT client{};
    GetClientRect(pane, &client);
    // Below the last line the click keeps the cursor where it is.
    ASSERT_TRUE(rightClickAt(pane, {5, client.bottom - 3}));
    HWND commands = waitForDialog("COMMAND");
    ASSERT_TRUE(commands);
    HWND list = GetDlgItem(commands, IDC_EXEC_COMMAND_LIST);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);
    const std::string cursorName = viewedPath();
    SendMessageA(GetDlgItem(commands, IDC_EXEC_COMMAND_TEXT), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>((recorder + ",$F").c_str()));
    pressButton(commands, IDOK);
    ASSERT_TRUE(waitUntil([&] { return fileExists(runs); }, 10000));
    const std::size_t cut = cursorName.find_last_of('\\');
    EXPECT_TRUE(waitUntil(
        [&] { return readWholeFile(runs) == cursorName.substr(cut + 1) + "\r\n"; }, 3000))
        << readWholeFile(runs) << " for " << cursorName;

    // A shortcut named as the system names one, with the cursor on it.
    pointAt("notes.txt");
    vorbin->key(VK_F3);
    const std::string link = "notes.txt - \x83\x56\x83\x87\x81\x5b\x83\x67\x83\x4a\x83\x62\x83\x67.lnk";
    EXPECT_TRUE(waitUntil([&] { return fileExists(tree / link); }, 5000));
    EXPECT_TRUE(cursorOn(link)) << viewedPath();
}

TEST(FileClipboard, CutInOneInstancePasteInAnother) {
    ProgramDirectory program;
    ScratchDirectory tree{"vbclip"};
    ASSERT_TRUE(tree.makeDirectory("src"));
    ASSERT_TRUE(tree.makeDirectory("dst"));
    ASSERT_TRUE(tree.writeFile("src\\f1.txt", "one"));
    ASSERT_TRUE(tree.writeFile("src\\f2.txt", "two"));
    ASSERT_TRUE(tree.writeFile("src\\kept.txt", "kept"));
    // The built-in keys: Shift+Ctrl+C, X and V.
    ASSERT_TRUE(writeKeyTable(program, {}));
    const Keystroke copyKey{'C', true, true}, cutKey{'X', true, true}, pasteKey{'V', true, true};
    setLastPath(program, tree / "src");
    VorbinProcess first(program);
    ASSERT_TRUE(first.waitForWindow());
    setLastPath(program, tree / "dst");
    VorbinProcess second(program);
    ASSERT_TRUE(second.waitForWindow());
    ASSERT_TRUE(waitUntil([&] { return second.title().ends_with(tree / "dst"); }, 5000));

    // Nothing on the clipboard: a paste does nothing.
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    second.key(pasteKey);
    Sleep(500);
    EXPECT_FALSE(fileExists(tree / "dst\\kept.txt"));

    // Copy then paste copies.
    handOver(first, tree / "src\\kept.txt");
    ASSERT_TRUE(waitUntil([&] { return viewedPath() == tree / "src\\kept.txt"; }, 5000));
    first.key(copyKey);
    ASSERT_TRUE(waitUntil([] { return clipboardDropEffect() == 1; }, 5000));
    second.key(pasteKey);
    EXPECT_TRUE(waitUntil([&] { return fileExists(tree / "dst\\kept.txt"); }, 5000));
    EXPECT_TRUE(fileExists(tree / "src\\kept.txt"));

    // Cut of two marked files, paste in the other instance moves them.
    for (const char* name : {"src\\f1.txt", "src\\f2.txt"}) {
        ASSERT_TRUE(moveCursorTo(first, tree / name)) << viewedPath();
        markAndStep(first);
    }
    first.key(cutKey);
    ASSERT_TRUE(waitUntil([] { return clipboardDropEffect() == 2; }, 5000));
    second.key(pasteKey);
    EXPECT_TRUE(waitUntil([&] { return fileExists(tree / "dst\\f2.txt"); }, 5000));
    EXPECT_TRUE(waitUntil([&] { return !fileExists(tree / "src\\f2.txt"); }, 5000));
    EXPECT_EQ(readWholeFile(tree / "dst\\f1.txt"), "one");
    EXPECT_FALSE(fileExists(tree / "src\\f1.txt"));
    EXPECT_TRUE(fileExists(tree / "src\\kept.txt"));
}

namespace {
std::wstring wide(const std::string& ansi) {
    wchar_t buffer[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, buffer, MAX_PATH);
    return buffer;
}

bool writeWide(const std::wstring& path, const std::string& content) {
    FileHandle file{CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
    DWORD written = 0;
    return file && WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()),
                             &written, nullptr);
}

std::string readWide(const std::wstring& path) {
    FileHandle file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr)};
    if (!file) return "<missing>";
    char buffer[256];
    DWORD read = 0;
    ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr);
    return std::string(buffer, read);
}

// The short name the platform gives an entry, as the pane lists it.
std::string shortName(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    FindHandle search{FindFirstFileW(path.c_str(), &found)};
    char narrow[16] = {};
    if (search) WideCharToMultiByte(CP_ACP, 0, found.cAlternateFileName, -1, narrow, 16, nullptr, nullptr);
    return narrow;
}
}  // namespace

// Names the code page cannot hold are listed with "?", which the shell would
// read as a wildcard taking "ab.txt" and "cd.txt" along; every command acts
// on exactly the one entry, under its real name.
TEST_F(FileOperations, NamesTheCodePageCannotHoldActOnExactlyThatEntry) {
    const std::wstring root = wide(tree.path()) + L"\\";
    const std::wstring emoji = L"\U0001F600.txt", korean = L"\uD55C\uAD6D";  // 😀.txt, 한국
    ASSERT_TRUE(writeWide(root + emoji, "emoji"));
    for (const char* name : {"ab.txt", "cd.txt", "x.txt"}) ASSERT_TRUE(tree.writeFile(name, name));
    ASSERT_TRUE(CreateDirectoryW((root + korean).c_str(), nullptr));
    ASSERT_TRUE(writeWide(root + korean + L"\\in.txt", "inside"));
    ASSERT_TRUE(tree.makeDirectory("sub"));
    const std::string emojiShort = shortName(root + emoji), koreanShort = shortName(root + korean);
    ASSERT_FALSE(emojiShort.empty());
    ASSERT_FALSE(koreanShort.empty());
    start({{VK_F3, false, false, false, CmdKillfile, ""}});

    // A copy arrives under the real name, alone.
    pointAt(emojiShort);
    answerInput('C', "Copy", "sub");
    EXPECT_TRUE(waitUntil([&] { return readWide(root + L"sub\\" + emoji) == "emoji"; }, 5000));
    EXPECT_FALSE(fileExists(tree / "sub\\ab.txt"));
    EXPECT_FALSE(fileExists(tree / "sub\\cd.txt"));

    // Deleted for good: that file, and not one more.
    pointAt(emojiShort);
    vorbin->key(VK_F3);
    EXPECT_TRUE(answerShellConfirmation(IDYES));
    EXPECT_TRUE(waitUntil([&] { return readWide(root + emoji) == "<missing>"; }, 5000));
    Sleep(300);
    for (const char* name : {"ab.txt", "cd.txt", "x.txt"}) EXPECT_TRUE(fileExists(tree / name)) << name;

    // The directory is entered through its short name and worked in like any other.
    pointAt(koreanShort);
    vorbin->key(VK_RETURN);
    EXPECT_TRUE(waitUntil([&] { return vorbin->title().ends_with(tree / koreanShort); }, 5000))
        << vorbin->title();
    EXPECT_TRUE(moveCursorTo(*vorbin, tree / (koreanShort + "\\in.txt"))) << viewedPath();
}

namespace {
// The box of a failure, closed with OK; false when none showed. A second box
// of the same caption after it would be told twice.
bool acknowledge(const char* caption) {
    HWND box = waitForDialog(caption);
    if (!box) return false;
    pressButton(box, IDOK);
    if (!waitUntil([&] { return !IsWindow(box); }, 5000)) return false;
    Sleep(300);
    return !FindWindowA("#32770", caption);
}
}  // namespace

TEST_F(FileOperations, TrailingSeparatorMakesTheDirectoryAndFailuresAreToldOnce) {
    ASSERT_TRUE(tree.writeFile("a.txt", "alpha"));
    ASSERT_TRUE(tree.writeFile("b.txt", "beta"));
    start({});

    pointAt("a.txt");
    answerInput('C', "Copy", "newdest\\");
    EXPECT_TRUE(waitUntil([&] { return readWholeFile(tree / "newdest\\a.txt") == "alpha"; }, 5000));

    answerInput('K', "Make Dir", "newdest");
    EXPECT_TRUE(acknowledge("\x83\x74\x83\x48\x83\x8b\x83\x5f\x81\x5b\x82\xcc\x8d\xec\x90\xac"))
        << "making an existing directory";  // フォルダーの作成

    pointAt("a.txt");
    answerInput('C', "Copy", "a?b*c.txt");
    EXPECT_TRUE(acknowledge("\x83\x52\x83\x73\x81\x5b\x90\xe6\x81\x45\x88\xda\x93\xae\x90\xe6"))
        << "a wildcard destination";  // コピー先・移動先

    pointAt("a.txt");
    vorbin->key('N');
    HWND rename = waitForDialog("Rename");
    ASSERT_TRUE(rename);
    SendMessageA(GetDlgItem(rename, IDC_RENAME_NEW), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("b.txt"));
    pressButton(rename, IDOK);
    EXPECT_TRUE(acknowledge("\x96\xbc\x91\x4f\x82\xcc\x95\xcf\x8d\x58"))
        << "a rename onto an existing name";  // 名前の変更
    EXPECT_EQ(readWholeFile(tree / "a.txt"), "alpha");
    EXPECT_EQ(readWholeFile(tree / "b.txt"), "beta");
}
