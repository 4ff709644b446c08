#include "e2e/ftp_steps.h"

#include <gtest/gtest.h>

#include "commands/command_id.h"
#include "services/settings.h"
#include "services/win/program_directory.h"

const char* const ConfirmCopy = "FTP \x83\x52\x83\x73\x81\x5b\x82\xcc\x8a\x6d\x94\x46";
const char* const ConfirmMove = "FTP \x88\xda\x93\xae\x82\xcc\x8a\x6d\x94\x46";
const char* const ConfirmDelete = "FTP \x8d\xed\x8f\x9c\x82\xcc\x8a\x6d\x94\x46";

bool isDirectoryOnDisk(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool answerYes(const char* caption) {
    HWND box = waitForDialog(caption);
    if (!box) return false;
    PostMessageA(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
    return waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
}

void answerTransfer(const VorbinProcess& vorbin, int key, const char* caption, const std::string& to,
                    const char* confirmation) {
    vorbin.key(key);
    HWND dialog = waitForDialog(caption);
    ASSERT_TRUE(dialog) << caption;
    ASSERT_TRUE(replaceText(dialog, to));
    ASSERT_TRUE(typeKey(dialog, {VK_RETURN}));
    EXPECT_TRUE(answerYes(confirmation)) << caption;
}

void storeAccount(const ProgramDirectory& program, uint16_t port, const std::string& user,
                  const std::string& password) {
    const std::string ini = program / "Vorbin.ini";
    const std::string key = "127.0.0.1:" + std::to_string(port);
    WritePrivateProfileStringA("FTP", (key + "_USER").c_str(), user.c_str(), ini.c_str());
    WritePrivateProfileStringA("FTP", (key + "_PASS").c_str(), encodeValue(key, password).c_str(),
                               ini.c_str());
}

int filesBelow(const std::string& path) {
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) count += filesBelow(path + "\\" + name);
        else ++count;
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return count;
}

bool prepareRemoteEditing(const ProgramDirectory& program, uint16_t port, const std::string& user,
                          const std::string& password, const std::string& editor) {
    if (!writeKeyTable(program, {{VK_F3, false, false, false, CmdEdit, ""}})) return false;
    storeAccount(program, port, user, password);
    WritePrivateProfileStringA("PATH", "Editor", (program / editor).c_str(), (program / "Vorbin.ini").c_str());
    return CopyFileA((programDirectory() + editor).c_str(), (program / editor).c_str(), FALSE) != FALSE;
}
