// FTP in the real program against a real server the test starts: open a
// host by hand-over, log in through the dialog, walk, copy down and up, move
// a directory down, rename, make a directory, delete a remote tree.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "commands/command_id.h"
#include "e2e/ftp_steps.h"
#include "e2e/vorbin_process.h"
#include "services/settings.h"
#include "services/win/program_directory.h"
#include "testing/win/ftp_server_process.h"

TEST(FtpBrowsing, LogInWalkCopyMoveRenameMakeAndDelete) {
    ScratchDirectory root{"ftproot"};
    ScratchDirectory control{"ftpctl"};
    ScratchDirectory local{"ftplocal"};
    ASSERT_TRUE(root.makeDirectory("sub dir"));
    ASSERT_TRUE(root.writeFile("sub dir\\inner.txt", "inner"));
    ASSERT_TRUE(root.makeDirectory("tree"));
    ASSERT_TRUE(root.makeDirectory("tree\\a"));
    ASSERT_TRUE(root.writeFile("tree\\a\\b.txt", "deep"));
    ASSERT_TRUE(root.writeFile("top.txt", "top"));
    ASSERT_TRUE(local.writeFile("up.txt", "going up"));
    FtpServerProcess server(root.path(), control.path(), "alice", "pw-1");
    ASSERT_TRUE(server.started());

    ProgramDirectory program;
    ASSERT_TRUE(writeKeyTable(program, {{VK_F2, false, false, false, CmdDelete, ""},
                                        {VK_F11, false, false, false, CmdCreateFile, ""}}));
    setLastPath(program, local.path());
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(local.path()); }, 10000));

    const std::string hostKey = "127.0.0.1:" + std::to_string(server.port());
    const std::string host = "|" + hostKey;
    handOver(vorbin, host + "/");
    HWND login = waitForDialog("FTP");
    ASSERT_TRUE(login);
    ASSERT_TRUE(typeText(login, "alice"));
    ASSERT_TRUE(typeKey(login, {VK_TAB}));
    ASSERT_TRUE(typeText(login, "pw-1"));
    ASSERT_TRUE(typeKey(login, {VK_RETURN}));
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(host + "/"); }, 15000)) << vorbin.title();

    // The account is kept under the host key, the password only encoded.
    char stored[256] = {};
    const std::string ini = program / "Vorbin.ini";
    GetPrivateProfileStringA("FTP", (hostKey + "_USER").c_str(), "", stored, sizeof stored, ini.c_str());
    EXPECT_STREQ(stored, "alice");
    GetPrivateProfileStringA("FTP", (hostKey + "_PASS").c_str(), "", stored, sizeof stored, ini.c_str());
    EXPECT_STRNE(stored, "pw-1");
    EXPECT_EQ(decodeValue(hostKey, stored), "pw-1");
    EXPECT_EQ(vorbin.title().find("pw-1"), std::string::npos);

    // The info strip names the account's user and where the listing came from.
    HWND strip = FindWindowExA(vorbin.window(), nullptr, "#32770", "File Info");
    ASSERT_TRUE(strip);
    auto stripText = [&](int id) {
        char text[300] = {};
        SendMessageA(GetDlgItem(strip, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    EXPECT_TRUE(waitUntil([&] { return stripText(1071) == "User Name : alice"; }, 5000))
        << stripText(1071);
    EXPECT_TRUE(waitUntil([&] { return stripText(1096) == "Disk : FTP Original"; }, 5000))
        << stripText(1096);

    // Into a directory whose name has a blank, and a file copied down.
    ASSERT_TRUE(moveCursorTo(vorbin, host + "/sub dir")) << viewedPath();
    vorbin.key(VK_RETURN);
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(host + "/sub dir"); }, 10000))
        << vorbin.title();
    ASSERT_TRUE(moveCursorTo(vorbin, host + "/sub dir/inner.txt")) << viewedPath();
    answerTransfer(vorbin, 'C', "Copy", local.path(), ConfirmCopy);
    EXPECT_TRUE(waitUntil([&] { return readWholeFile(local / "inner.txt") == "inner"; }, 15000));
    vorbin.key(VK_BACK);
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(host + "/"); }, 10000)) << vorbin.title();
    // The top was listed before: this time it comes from the cache.
    EXPECT_TRUE(waitUntil([&] { return stripText(1096) == "Disk : FTP Cache"; }, 5000))
        << stripText(1096);

    // A directory moved down: all of it here, nothing of it left there.
    ASSERT_TRUE(moveCursorTo(vorbin, host + "/tree")) << viewedPath();
    answerTransfer(vorbin, 'M', "Move", local.path(), ConfirmMove);
    EXPECT_TRUE(waitUntil([&] { return readWholeFile(local / "tree\\a\\b.txt") == "deep"; }, 15000));
    EXPECT_TRUE(waitUntil([&] { return !fileExists(root / "tree"); }, 10000));

    // Rename and make a directory.
    ASSERT_TRUE(moveCursorTo(vorbin, host + "/top.txt")) << viewedPath();
    vorbin.key('N');
    HWND rename = waitForDialog("Rename");
    ASSERT_TRUE(rename);
    ASSERT_TRUE(replaceText(rename, "renamed.txt"));
    ASSERT_TRUE(typeKey(rename, {VK_RETURN}));
    EXPECT_TRUE(waitUntil([&] { return readWholeFile(root / "renamed.txt") == "top"; }, 10000));
    EXPECT_FALSE(fileExists(root / "top.txt"));
    vorbin.key('K');
    HWND make = waitForDialog("Make Dir");
    ASSERT_TRUE(make);
    ASSERT_TRUE(replaceText(make, "made"));
    ASSERT_TRUE(typeKey(make, {VK_RETURN}));
    EXPECT_TRUE(waitUntil([&] { return isDirectoryOnDisk(root / "made"); }, 10000));
    // The pane has the keys again once the dialog is gone and the new
    // directory is listed under the cursor.
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(make); }, 10000));
    ASSERT_TRUE(waitUntil([&] { return viewedPath() == host + "/made"; }, 10000)) << viewedPath();
    vorbin.key(VK_F11);
    HWND create = waitForDialog("Create File");
    ASSERT_TRUE(create);
    ASSERT_TRUE(replaceText(create, "new empty.txt"));
    ASSERT_TRUE(typeKey(create, {VK_RETURN}));
    EXPECT_TRUE(waitUntil([&] { return fileExists(root / "new empty.txt"); }, 10000));
    EXPECT_EQ(readWholeFile(root / "new empty.txt"), "");

    // A remote tree deleted.
    ASSERT_TRUE(moveCursorTo(vorbin, host + "/sub dir")) << viewedPath();
    vorbin.key(VK_F2);
    EXPECT_TRUE(answerYes(ConfirmDelete));
    EXPECT_TRUE(waitUntil([&] { return !fileExists(root / "sub dir"); }, 10000));

    // And a local file copied up into the new directory.
    handOver(vorbin, local.path());
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(local.path()); }, 10000));
    ASSERT_TRUE(moveCursorTo(vorbin, local / "up.txt")) << viewedPath();
    answerTransfer(vorbin, 'C', "Copy", host + "/made", ConfirmCopy);
    EXPECT_TRUE(waitUntil([&] { return readWholeFile(root / "made\\up.txt") == "going up"; }, 15000));
    EXPECT_TRUE(vorbin.close());
}

// A wrong password asks again; a server that dies in the middle of a
// download leaves no file, says so, and the window goes on working.
TEST(FtpBrowsing, WrongPasswordAsksAgainAndADeadServerLeavesNothing) {
    ScratchDirectory root{"ftproot"};
    ScratchDirectory control{"ftpctl"};
    ScratchDirectory local{"ftplocal"};
    ASSERT_TRUE(root.writeFile("big.bin", std::string(4 * 1024 * 1024, 'x')));
    FtpServerProcess server(root.path(), control.path(), "alice", "pw-1", {"--throttle", "262144"});
    ASSERT_TRUE(server.started());
    ProgramDirectory program;
    ASSERT_TRUE(writeKeyTable(program, {}));
    setLastPath(program, local.path());
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(local.path()); }, 10000));

    const std::string host = "|127.0.0.1:" + std::to_string(server.port());
    handOver(vorbin, host + "/");
    for (const char* password : {"wrong", "pw-1"}) {
        HWND login = waitForDialog("FTP");
        ASSERT_TRUE(login) << password;
        // Asked again, the dialog keeps the user and waits for the password.
        if (std::string(password) == "wrong") {
            ASSERT_TRUE(typeText(login, "alice"));
            ASSERT_TRUE(typeKey(login, {VK_TAB}));
        }
        ASSERT_TRUE(typeText(login, password));
        ASSERT_TRUE(typeKey(login, {VK_RETURN}));
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(login) || !IsWindowVisible(login); }, 10000));
    }
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(host + "/"); }, 15000)) << vorbin.title();

    ASSERT_TRUE(moveCursorTo(vorbin, host + "/big.bin")) << viewedPath();
    answerTransfer(vorbin, 'C', "Copy", local.path(), ConfirmCopy);
    ASSERT_TRUE(waitUntil([&] { return fileExists(local / "big.bin.vbpart"); }, 15000));
    server.kill();
    // "FTP コピー": the copy failed.
    HWND failed = nullptr;
    ASSERT_TRUE(waitUntil(
        [&] {
            failed = FindWindowA("#32770", "FTP \x83\x52\x83\x73\x81\x5b");
            return failed && IsWindowVisible(failed);
        },
        40000));
    PostMessageA(GetDlgItem(failed, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(failed) || !IsWindowVisible(failed); }, 5000));
    EXPECT_FALSE(fileExists(local / "big.bin"));
    EXPECT_FALSE(fileExists(local / "big.bin.vbpart"));
    handOver(vorbin, local.path());
    EXPECT_TRUE(waitUntil([&] { return vorbin.title().ends_with(local.path()); }, 10000)) << vorbin.title();
    EXPECT_TRUE(vorbin.close());
}

// Between two servers (two hosts by port): through the local work
// directory, which is left empty.
TEST(FtpBrowsing, CopyBetweenTwoServers) {
    ScratchDirectory rootA{"ftproota"}, controlA{"ftpctla"};
    ScratchDirectory rootB{"ftprootb"}, controlB{"ftpctlb"};
    ScratchDirectory local{"ftplocal"};
    ASSERT_TRUE(rootA.writeFile("from a.txt", "crossing"));
    ASSERT_TRUE(rootA.makeDirectory("dir"));
    ASSERT_TRUE(rootA.writeFile("dir\\inner.txt", "inside"));
    FtpServerProcess a(rootA.path(), controlA.path(), "alice", "pw-1");
    FtpServerProcess b(rootB.path(), controlB.path(), "bob", "pw-2");
    ASSERT_TRUE(a.started() && b.started());
    ProgramDirectory program;
    ASSERT_TRUE(writeKeyTable(program, {}));
    setLastPath(program, local.path());
    storeAccount(program, a.port(), "alice", "pw-1");
    storeAccount(program, b.port(), "bob", "pw-2");
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    const std::string hostA = "|127.0.0.1:" + std::to_string(a.port());
    const std::string hostB = "|127.0.0.1:" + std::to_string(b.port());
    handOver(vorbin, hostA + "/");
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(hostA + "/"); }, 15000)) << vorbin.title();
    ASSERT_TRUE(moveCursorTo(vorbin, hostA + "/dir")) << viewedPath();
    vorbin.key(' ');
    ASSERT_TRUE(moveCursorTo(vorbin, hostA + "/from a.txt")) << viewedPath();
    vorbin.key(' ');
    answerTransfer(vorbin, 'C', "Copy", hostB + "/", ConfirmCopy);
    EXPECT_TRUE(waitUntil([&] { return readWholeFile(rootB / "from a.txt") == "crossing"; }, 20000));
    EXPECT_TRUE(waitUntil([&] { return readWholeFile(rootB / "dir\\inner.txt") == "inside"; }, 20000));
    EXPECT_EQ(readWholeFile(rootA / "from a.txt"), "crossing");
    // The work directory of the copy holds nothing once the job is done: each
    // file there goes right after its upload, a moment after it arrives.
    const std::string work = program / ("TEMP\\V_WORK\\W_FTP\\127.0.0.1_" + std::to_string(a.port()) +
                                          "_vorbin_copy_work\\*");
    auto left = [&] {
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA(work.c_str(), &found);
        int count = 0;
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string name = found.cFileName;
                if (name != "." && name != "..") ++count;
            } while (FindNextFileA(h, &found));
            FindClose(h);
        }
        return count;
    };
    EXPECT_TRUE(waitUntil([&] { return left() == 0; }, 10000)) << left();
    EXPECT_TRUE(vorbin.close());
}

// A remote file opened with the editor comes back to the server once the
// editor has changed it; the local copy is read-only again afterwards.
TEST(FtpBrowsing, EditedRemoteFileIsPutBack) {
    ScratchDirectory root{"ftproot"}, control{"ftpctl"}, local{"ftplocal"};
    ASSERT_TRUE(root.writeFile("note.txt", "text"));
    FtpServerProcess server(root.path(), control.path(), "alice", "pw-1");
    ASSERT_TRUE(server.started());
    ProgramDirectory program;
    setLastPath(program, local.path());
    const std::string ini = program / "Vorbin.ini";
    const std::string key = "127.0.0.1:" + std::to_string(server.port());
    ASSERT_TRUE(prepareRemoteEditing(program, server.port(), "alice", "pw-1", "edit_standin.exe"));
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    const std::string host = "|" + key;
    handOver(vorbin, host + "/");
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(host + "/"); }, 15000)) << vorbin.title();
    ASSERT_TRUE(moveCursorTo(vorbin, host + "/note.txt")) << viewedPath();
    vorbin.key(VK_F3);
    EXPECT_TRUE(waitUntil([&] { return readWholeFile(root / "note.txt") == "text edited"; }, 20000))
        << readWholeFile(root / "note.txt");
    const std::string copy = program / ("TEMP\\V_WORK\\W_FTP\\127.0.0.1_" + std::to_string(server.port()) + "\\note.txt");
    EXPECT_TRUE(waitUntil(
        [&] {
            DWORD a = GetFileAttributesA(copy.c_str());
            return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
        },
        10000));
    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(vorbin.close());
}

namespace {

// The control connection and the command of each line the test server logged.
std::vector<std::pair<int, std::string>> loggedCommands(const std::string& log) {
    std::vector<std::pair<int, std::string>> out;
    std::istringstream in(readWholeFile(log));
    int connection = 0;
    std::string command;
    while (in >> connection >> command) out.emplace_back(connection, command);
    return out;
}

std::string stripText(const VorbinProcess& vorbin, int id) {
    HWND strip = FindWindowExA(vorbin.window(), nullptr, "#32770", "File Info");
    char text[300] = {};
    SendMessageA(GetDlgItem(strip, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

// Active mode against a server that refuses PORT and EPRT: tried once, then
// passive for the rest of the connection; and browsing keeps that one
// connection: listing again, in and out of folders, opens no other.
TEST(FtpBrowsing, RefusedActiveModeFallsBackOnceOnTheOneBrowsingConnection) {
    ScratchDirectory root{"ftproot"}, control{"ftpctl"}, local{"ftplocal"};
    ASSERT_TRUE(root.makeDirectory("sub dir"));
    ASSERT_TRUE(root.writeFile("sub dir\\inner.txt", "inner"));
    const std::string log = control / "commands.log";
    FtpServerProcess server(root.path(), control.path(), "alice", "pw-1", {"--no-active", "--log", log});
    ASSERT_TRUE(server.started());
    ProgramDirectory program;
    ASSERT_TRUE(writeKeyTable(program, {}));
    setLastPath(program, local.path());
    storeAccount(program, server.port(), "alice", "pw-1");  // passive off: active first
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    const std::string host = "|127.0.0.1:" + std::to_string(server.port());
    handOver(vorbin, host + "/");
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(host + "/"); }, 15000)) << vorbin.title();
    ASSERT_TRUE(moveCursorTo(vorbin, host + "/sub dir")) << viewedPath();
    vorbin.key(VK_RETURN);
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(host + "/sub dir"); }, 10000));
    ASSERT_TRUE(moveCursorTo(vorbin, host + "/sub dir/inner.txt")) << viewedPath();
    // The place shown, asked for again: listed from the server once more.
    handOver(vorbin, host + "/sub dir");
    auto listings = [&] {
        int n = 0;
        for (const auto& [connection, command] : loggedCommands(log)) n += command == "MLSD";
        return n;
    };
    EXPECT_TRUE(waitUntil([&] { return listings() == 3; }, 10000)) << listings();
    EXPECT_TRUE(vorbin.close());

    std::map<std::string, int> counts;
    std::set<int> connections;
    for (const auto& [connection, command] : loggedCommands(log)) {
        ++counts[command];
        connections.insert(connection);
    }
    EXPECT_EQ(connections.size(), 1u);
    EXPECT_EQ(counts["PORT"], 1);
    EXPECT_EQ(counts["EPRT"], 1);
    EXPECT_EQ(counts["PASV"] + counts["EPSV"], 3);
    EXPECT_EQ(counts["USER"], 1);
}

// The listing cache saved at the end ("FtpSaveCache" days) is read by the
// next run: with the server gone, the folders listed before still show.
TEST(FtpBrowsing, SavedListingCacheBrowsedWithTheServerGone) {
    ScratchDirectory root{"ftproot"}, control{"ftpctl"}, local{"ftplocal"};
    ASSERT_TRUE(root.makeDirectory("sub dir"));
    ASSERT_TRUE(root.writeFile("sub dir\\inner.txt", "inner"));
    ASSERT_TRUE(root.writeFile("top.txt", "top"));
    ProgramDirectory program;
    ASSERT_TRUE(writeKeyTable(program, {}));
    setLastPath(program, local.path());
    WritePrivateProfileStringA("PATH", "FtpSaveCache", "3", (program / "Vorbin.ini").c_str());
    std::string host;
    {
        FtpServerProcess server(root.path(), control.path(), "alice", "pw-1");
        ASSERT_TRUE(server.started());
        storeAccount(program, server.port(), "alice", "pw-1");
        host = "|127.0.0.1:" + std::to_string(server.port());
        VorbinProcess vorbin(program);
        ASSERT_TRUE(vorbin.waitForWindow());
        handOver(vorbin, host + "/");
        ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(host + "/"); }, 15000)) << vorbin.title();
        ASSERT_TRUE(moveCursorTo(vorbin, host + "/sub dir")) << viewedPath();
        vorbin.key(VK_RETURN);
        ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(host + "/sub dir"); }, 10000));
        EXPECT_TRUE(vorbin.close());
    }
    EXPECT_EQ(filesBelow(program / "TEMP\\V_WORK\\W_CACHE"), 1);

    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    handOver(vorbin, host + "/");
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(host + "/"); }, 15000)) << vorbin.title();
    EXPECT_TRUE(waitUntil([&] { return stripText(vorbin, 1096) == "Disk : FTP Cache"; }, 5000))
        << stripText(vorbin, 1096);
    EXPECT_TRUE(moveCursorTo(vorbin, host + "/top.txt")) << viewedPath();
    ASSERT_TRUE(moveCursorTo(vorbin, host + "/sub dir")) << viewedPath();
    vorbin.key(VK_RETURN);
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(host + "/sub dir"); }, 10000))
        << vorbin.title();
    EXPECT_TRUE(moveCursorTo(vorbin, host + "/sub dir/inner.txt")) << viewedPath();
    EXPECT_TRUE(vorbin.close());
}

// Closing while a remote file is still open in its editor asks first (2003):
// No keeps the window working, Yes ends it without putting anything back.
TEST(FtpBrowsing, ClosingWithAnEditedFileOpenAsksFirst) {
    ScratchDirectory root{"ftproot"}, control{"ftpctl"}, local{"ftplocal"};
    ASSERT_TRUE(root.writeFile("note.txt", "text"));
    FtpServerProcess server(root.path(), control.path(), "alice", "pw-1");
    ASSERT_TRUE(server.started());
    ProgramDirectory program;
    setLastPath(program, local.path());
    // An editor that stays open until it is closed.
    ASSERT_TRUE(prepareRemoteEditing(program, server.port(), "alice", "pw-1", "busy_window.exe"));
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    const std::string host = "|127.0.0.1:" + std::to_string(server.port());
    handOver(vorbin, host + "/");
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(host + "/"); }, 15000)) << vorbin.title();
    ASSERT_TRUE(moveCursorTo(vorbin, host + "/note.txt")) << viewedPath();
    vorbin.key(VK_F3);
    HWND editor = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (editor = FindWindowA("BusyWindow", nullptr)) != nullptr; }, 15000));
    struct CloseEditor {
        HWND window;
        ~CloseEditor() {
            PostMessageA(window, WM_CLOSE, 0, 0);
            waitUntil([&] { return !IsWindow(window); }, 5000);
        }
    } closeEditor{editor};

    // "FTP 編集中のファイル"
    const char* const StillEditing = "FTP \x95\xd2\x8f\x57\x92\x86\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b";
    for (int answer : {IDNO, IDYES}) {
        PostMessageA(vorbin.window(), WM_CLOSE, 0, 0);
        HWND box = waitForDialog(StillEditing);
        ASSERT_TRUE(box) << answer;
        PostMessageA(GetDlgItem(box, answer), BM_CLICK, 0, 0);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000));
        if (answer == IDNO) {
            // Still there and still obeying.
            handOver(vorbin, local.path());
            EXPECT_TRUE(waitUntil([&] { return vorbin.title().ends_with(local.path()); }, 10000))
                << vorbin.title();
        }
    }
    EXPECT_TRUE(vorbin.waitForExit(20000));
    EXPECT_TRUE(IsWindow(editor));
    EXPECT_EQ(readWholeFile(root / "note.txt"), "text");
}
