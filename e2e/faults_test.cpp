// Faults from outside the program, each once end to end: the settings file
// missing or read-only, the work directory read-only or full, the program in
// a folder with Japanese names and blanks, a drive letter that goes while it is shown, a file another process
// holds while it is copied. (A folder deleted while shown: PaneKeys.)
// Read-only files need a read-only mount, a full disk a small one: Wine runs as root here, and root
// writes through the read-only attribute.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/win/set_view_dialog_ids.h"
#include "e2e/child_process.h"
#include "e2e/vorbin_process.h"
#include "panes/vanished_directory.h"
#include "services/win/program_directory.h"
#include "testing/win/host_shell.h"

namespace {
// A file or folder made read-only for everyone, root included, by a read-only
// bind mount over itself, while this lives.
class ReadOnlyMount {
public:
    explicit ReadOnlyMount(const std::string& path) : unix_(unixPathOf(path)) {
        mounted_ = hostShell("mount --bind '" + unix_ + "' '" + unix_ + "' && mount -o remount,ro,bind '" +
                             unix_ + "' '" + unix_ + "'");
        if (!mounted_) hostShell("umount '" + unix_ + "'");
    }
    ~ReadOnlyMount() {
        if (mounted_) hostShell("umount '" + unix_ + "'");
    }
    bool mounted() const { return mounted_; }

private:
    std::string unix_;
    bool mounted_ = false;
};

std::string iniValue(const std::string& file, const char* section, const char* key) {
    char value[600] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
    return value;
}

// The text of the message box the process shows next, closed with OK;
// "(no message)" when none shows.
std::string answerMessage(DWORD processId, HWND mainWindow, DWORD timeoutMs = 10000) {
    HWND box = nullptr;
    if (!waitUntil(
            [&] {
                box = FindWindowExA(nullptr, nullptr, "#32770", nullptr);
                for (; box; box = FindWindowExA(nullptr, box, "#32770", nullptr)) {
                    DWORD pid = 0;
                    GetWindowThreadProcessId(box, &pid);
                    if (pid == processId && box != mainWindow && IsWindowVisible(box) &&
                        GetDlgItem(box, 0xFFFF))
                        return true;
                }
                return false;
            },
            timeoutMs))
        return "(no message)";
    char text[1024] = {};
    SendMessageA(GetDlgItem(box, 0xFFFF), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    pressButton(box, IDOK);
    waitUntil([&] { return !IsWindow(box); }, 5000);
    return text;
}

// A tmpfs of 64 KB over a folder, filled to the last byte, while this lives.
class FullMount {
public:
    explicit FullMount(const std::string& path) : path_(path), unix_(unixPathOf(path)) {
        mounted_ = hostShell("mount -t tmpfs -o size=64k tmpfs '" + unix_ + "'");
        if (!mounted_) return;
        HANDLE file = CreateFileA((path + "\\filler").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        const std::string block(4096, 'f');
        DWORD written = 0;
        while (WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) &&
               written == block.size()) {
        }
        CloseHandle(file);
    }
    ~FullMount() {
        if (mounted_) hostShell("umount '" + unix_ + "'");
    }
    bool mounted() const { return mounted_; }

private:
    std::string path_, unix_;
    bool mounted_ = false;
};

int zip(const std::string& line, const std::string& directory) {
    HMODULE module = LoadLibraryA((programDirectory() + "ZIP32J.DLL").c_str());
    if (!module) return -1;
    using Command = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
    auto command = reinterpret_cast<Command>(reinterpret_cast<void*>(GetProcAddress(module, "Zip")));
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof before, before);
    SetCurrentDirectoryA(directory.c_str());
    char output[1024] = {};
    const int code = command ? command(nullptr, line.c_str(), output, sizeof output) : -1;
    SetCurrentDirectoryA(before);
    FreeLibrary(module);
    return code;
}

// Set View with a new name-column width, answered by OK.
bool setNameLength(const VorbinProcess& vorbin, int length) {
    if (!vorbin.key(VK_F7)) return false;
    HWND dialog = waitForDialog("Set View");
    if (!dialog) return false;
    SetDlgItemInt(dialog, IDC_VIEW_NAME_LENGTH, length, FALSE);
    pressButton(dialog, IDOK);
    return waitUntil([&] { return !IsWindow(dialog); }, 10000);
}
}  // namespace

TEST(Faults, SettingsFileMissingOrReadOnly) {
    for (bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "missing");
        ProgramDirectory program;
        ScratchDirectory tree{"vbfault"};
        const std::string ini = program / "Vorbin.ini";
        std::unique_ptr<ReadOnlyMount> lock;
        std::string before;
        std::unique_ptr<ReadOnlyMount> keysLock;
        if (readOnly) {
            setLastPath(program, tree.path());
            ASSERT_TRUE(writeKeyTable(program, {}));
            before = readWholeFile(ini);
            lock = std::make_unique<ReadOnlyMount>(ini);
            if (!lock->mounted()) GTEST_SKIP() << "a read-only mount needs root";
            keysLock = std::make_unique<ReadOnlyMount>(program / "KEY.TBL");
        } else {
            ASSERT_TRUE(DeleteFileA(ini.c_str()));
        }
        VorbinProcess vorbin(program);
        ASSERT_TRUE(vorbin.waitForWindow());
        ASSERT_TRUE(setNameLength(vorbin, 33));
        if (readOnly) {
            // Told, not silently dropped; the file as it was.
            EXPECT_NE(answerMessage(vorbin.processId(), vorbin.window()), "(no message)");
            EXPECT_EQ(readWholeFile(ini), before);
            // A table that cannot be written is told the same way.
            ASSERT_TRUE(keysLock->mounted());
            ASSERT_TRUE(vorbin.key(VK_F8));
            HWND keys = waitForDialog("Command");
            ASSERT_NE(keys, nullptr);
            pressButton(keys, IDOK);
            EXPECT_NE(answerMessage(vorbin.processId(), vorbin.window()).find("KEY.TBL"), std::string::npos);
            // A rule added behind the program's back: what it saves differs, so it must write.
            const std::string colours = program / "Color.tbl";
            ASSERT_TRUE(program.scratch().writeFile("Color.tbl", readWholeFile(colours) + "ff,0,\"ZZQ\",0,\"\"\r\n"));
            const std::string coloursBefore = readWholeFile(colours);
            ReadOnlyMount coloursLock(colours);
            ASSERT_TRUE(coloursLock.mounted());
            ASSERT_TRUE(vorbin.key(VK_F9));
            HWND command = waitForDialog("COMMAND");
            ASSERT_NE(command, nullptr);
            pressButton(command, IDOK);
            EXPECT_NE(answerMessage(vorbin.processId(), vorbin.window()).find("Color.tbl"), std::string::npos);
            EXPECT_EQ(readWholeFile(colours), coloursBefore);
        } else {
            EXPECT_TRUE(waitUntil([&] { return iniValue(ini, "WINDOW", "FileNameLength") == "33"; }));
        }
        ASSERT_TRUE(vorbin.close());
        DWORD code = 1;
        GetExitCodeProcess(vorbin.handle(), &code);
        EXPECT_EQ(code, 0u);
        if (readOnly) EXPECT_EQ(readWholeFile(ini), before);
    }
}

TEST(Faults, ProgramFolderWithJapaneseNamesAndBlanks) {
    ProgramDirectory program;
    // 表 and ソ end in the byte 0x5C.
    const std::string folder = program / "\x95\x5c \x83\x5c \x83\x76\x83\x8d\x83\x4f\x83\x89\x83\x80";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    for (const char* name : {"Vorbin.exe", "Vorbin.ini", "KEY.TBL", "Color.tbl", "MESSAGE.tbl",
                             "Command.TBL"})
        CopyFileA((program / name).c_str(), (folder + "\\" + name).c_str(), FALSE);
    ScratchDirectory tree{"vbfault"};
    ASSERT_TRUE(tree.writeFile("\x95\x5c.txt", "x"));
    const std::string ini = folder + "\\Vorbin.ini";
    WritePrivateProfileStringA("PATH", "LastPath", tree.path().c_str(), ini.c_str());

    ChildProcess vorbin(folder + "\\Vorbin.exe", "", folder);
    HWND window = vorbin.waitForWindow("[Vorbin:0]");
    ASSERT_TRUE(window);
    // It read the settings of its own folder and writes them back there.
    EXPECT_TRUE(waitUntil([&] { return windowTitle(window).ends_with(tree.path()); }))
        << windowTitle(window);
    ASSERT_TRUE(typeKey(window, {VK_F7}));
    HWND dialog = waitForDialog("Set View");
    ASSERT_TRUE(dialog);
    SetDlgItemInt(dialog, IDC_VIEW_NAME_LENGTH, 41, FALSE);
    pressButton(dialog, IDOK);
    EXPECT_TRUE(waitUntil([&] { return iniValue(ini, "WINDOW", "FileNameLength") == "41"; }));
    // The program's work directory lies in that folder too.
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(vorbin.waitForExit(20000));
    EXPECT_EQ(vorbin.exitCode(), 0u);
    EXPECT_EQ(iniValue(ini, "PATH", "LastPath"), tree.path());
    EXPECT_NE(iniValue((program / "Vorbin.ini"), "WINDOW", "FileNameLength"), "41");
}

TEST(Faults, DriveLetterThatVanishesWhileShown) {
    ProgramDirectory program;
    ScratchDirectory target{"vbdrive"};
    ASSERT_TRUE(target.makeDirectory("inner"));
    ASSERT_TRUE(target.writeFile("inner\\a.txt", "a"));
    char prefix[MAX_PATH] = {};
    ASSERT_TRUE(GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix));
    // A free letter of this prefix, as the platform tells.
    char letter = 0;
    for (char c = 'M'; c <= 'Y' && !letter; ++c) {
        const std::string root = std::string(1, c) + ":\\";
        if (GetDriveTypeA(root.c_str()) == DRIVE_NO_ROOT_DIR) letter = c;
    }
    ASSERT_TRUE(letter);
    const std::string link = std::string(prefix) + "/dosdevices/" + static_cast<char>(letter + 32) + ":";
    ASSERT_TRUE(hostShell("ln -s '" + unixPathOf(target.path()) + "' '" + link + "'"));
    struct Unlink {
        std::string link;
        ~Unlink() { hostShell("rm -f '" + link + "'"); }
    } unlinkAtEnd{link};
    const std::string drive = std::string(1, letter) + ":\\";
    ASSERT_TRUE(waitUntil([&] { return fileExists(drive + "inner\\a.txt"); }));

    setLastPath(program, program.path());
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    handOver(vorbin, drive + "inner");
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(drive + "inner"); })) << vorbin.title();

    ASSERT_TRUE(hostShell("rm -f '" + link + "'"));
    // Still alive and answering; the pane leaves the vanished drive for a
    // folder that exists, saying so in the title.
    // The platform may still see the drive for a moment: refresh as a user
    // would, until it is gone for the program too.
    bool left = false;
    for (int attempt = 0; attempt < 10 && !left; ++attempt) {
        ASSERT_TRUE(vorbin.key(VK_F5));
        left = waitUntil([&] { return vorbin.title().find(drive) == std::string::npos; }, 1500);
    }
    EXPECT_TRUE(left) << vorbin.title();
    EXPECT_TRUE(vorbin.title().ends_with(VanishedDirectoryNote)) << vorbin.title();
    ASSERT_TRUE(vorbin.key(VK_DOWN));
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(vorbin.window(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result));
    EXPECT_TRUE(vorbin.close());
}

TEST(Faults, FileHeldByAnotherProcessWhileCopied) {
    ProgramDirectory program;
    ScratchDirectory tree{"vbfault"};
    ASSERT_TRUE(tree.makeDirectory("to"));
    ASSERT_TRUE(tree.writeFile("held.txt", "precious"));
    // This test's process holds the file without sharing it, as an editor may.
    HANDLE held = CreateFileA((tree / "held.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    setLastPath(program, tree.path());
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    handOver(vorbin, tree / "held.txt");
    ASSERT_TRUE(waitUntil([&] { return viewedPath() == tree / "held.txt"; })) << viewedPath();
    ASSERT_TRUE(vorbin.key('C'));
    HWND copy = waitForDialog("Copy");
    ASSERT_TRUE(copy);
    ASSERT_TRUE(replaceText(copy, "to"));
    ASSERT_TRUE(typeKey(copy, {VK_RETURN}));
    const std::string told = answerMessage(vorbin.processId(), vorbin.window());
    EXPECT_NE(told, "(no message)");
    CloseHandle(held);
    // Nothing lost, nothing half-made.
    EXPECT_EQ(readWholeFile(tree / "held.txt"), "precious");
    EXPECT_TRUE(!fileExists(tree / "to\\held.txt") || readWholeFile(tree / "to\\held.txt") == "precious");
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(vorbin.window(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result));
    EXPECT_TRUE(vorbin.close());
}

// The work directory where archive members are extracted to be opened.
TEST(Faults, WorkDirectoryReadOnlyOrFull) {
    for (bool full : {false, true}) {
        SCOPED_TRACE(full ? "full" : "read-only");
        ProgramDirectory program;
        for (const char* name : {"UNZIP32.DLL", "ZIP32J.DLL"})
            CopyFileA((programDirectory() + name).c_str(), (program / name).c_str(), FALSE);
        ScratchDirectory tree{"vbfault"};
        ScratchDirectory work{"vbwork"};
        const std::string marker = tree / "ran.txt";
        ASSERT_TRUE(tree.makeDirectory("in"));
        ASSERT_TRUE(tree.writeFile("in\\go.bat", "@echo ran> \"" + marker + "\"\r\n"));
        ASSERT_EQ(zip("\"..\\box.zip\" go.bat", tree / "in"), 0);
        const std::string archive = readWholeFile(tree / "box.zip");
        WritePrivateProfileStringA("PATH", "FtpWork", work.path().c_str(), (program / "Vorbin.ini").c_str());
        setLastPath(program, tree.path());
        std::unique_ptr<ReadOnlyMount> readOnly;
        std::unique_ptr<FullMount> filled;
        if (full) {
            filled = std::make_unique<FullMount>(work.path());
            if (!filled->mounted()) GTEST_SKIP() << "a small mount needs root";
        } else {
            readOnly = std::make_unique<ReadOnlyMount>(work.path());
            if (!readOnly->mounted()) GTEST_SKIP() << "a read-only mount needs root";
        }
        VorbinProcess vorbin(program);
        ASSERT_TRUE(vorbin.waitForWindow());
        handOver(vorbin, tree / "box.zip");
        ASSERT_TRUE(waitUntil([&] { return viewedPath() == tree / "box.zip"; })) << viewedPath();
        ASSERT_TRUE(vorbin.key(VK_RETURN));
        ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(tree / "box.zip>"); })) << vorbin.title();
        ASSERT_TRUE(vorbin.key('G'));
        ASSERT_TRUE(waitUntil([&] { return viewedPath() == tree / "box.zip>go.bat"; })) << viewedPath();
        ASSERT_TRUE(vorbin.key(VK_RETURN));
        if (full) {
            // Told; nothing runs from a copy that could not be written whole.
            EXPECT_NE(answerMessage(vorbin.processId(), vorbin.window()), "(no message)");
            EXPECT_FALSE(fileExists(marker));
        } else {
            // The program's own folder stands in for the one that refuses writes.
            EXPECT_TRUE(waitUntil([&] { return fileExists(marker); }, 20000))
                << answerMessage(vorbin.processId(), vorbin.window(), 1000);
            EXPECT_TRUE(fileExists(program / "V_WORK\\W_ARCHIVE"));
        }
        EXPECT_EQ(readWholeFile(tree / "box.zip"), archive);
        DWORD_PTR result = 0;
        EXPECT_TRUE(SendMessageTimeoutA(vorbin.window(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result));
        EXPECT_TRUE(vorbin.close());
    }
}
