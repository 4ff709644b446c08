// Archives in the real program, typed as a user types: browsing a nested
// archive and back, copying out of it, opening a member, packing marked
// files and unpacking them elsewhere, what a RAR allows, and members that
// would land on one file.
#include <gtest/gtest.h>

#include "archive/win/pack_dialog_ids.h"
#include "archivers/tests/rar_builder.h"
#include "base/text_file.h"
#include "commands/command_id.h"
#include "e2e/vorbin_process.h"
#include "services/win/program_directory.h"
#include "testing/win/archiver_command.h"
#include "testing/win/host_shell.h"

namespace {

const char* const Archivers[] = {"UNZIP32.DLL", "ZIP32J.DLL", "TAR32.DLL",
                                 "UNLHA32.DLL", "CAB32.DLL",  "UNRAR32.DLL"};
// Captions of MESSAGE.tbl, code page 932: 展開の確認, 書庫.
const char* const ExtractCaption = "\x93\x57\x8a\x4a\x82\xcc\x8a\x6d\x94\x46";
const char* const ArchiveCaption = "\x8f\x91\x8c\xc9";
// 表 ends in the byte 0x5C.
const std::string Table = "\x95\x5c";

void copyArchivers(const ProgramDirectory& program) {
    for (const char* name : Archivers)
        CopyFileA((programDirectory() + name).c_str(), (program / name).c_str(), FALSE);
}

bool titleEndsWith(const VorbinProcess& vorbin, const std::string& tail) {
    return waitUntil([&] { return vorbin.title().ends_with(tail); }, 15000);
}

bool cursorOn(const std::string& path) {
    return waitUntil([&] { return viewedPath() == path; }, 10000);
}

// Closes the message box of that caption, telling its text.
std::string answerMessage(const char* caption, int button) {
    HWND box = nullptr;
    if (!waitUntil([&] { return (box = FindWindowA("#32770", caption)) && IsWindowVisible(box); },
                   15000))
        return "(no message)";
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    pressButton(box, button);
    waitUntil([&] { return !IsWindow(box); }, 5000);
    return text;
}

// C on what is marked in an archive, to destination, and Yes to the question
// whether to extract.
bool copyOut(const VorbinProcess& vorbin, const std::string& destination) {
    vorbin.key('C');
    HWND copy = waitForDialog("Copy");
    if (!copy || !replaceText(copy, destination)) return false;
    pressButton(copy, IDOK);
    return answerMessage(ExtractCaption, IDYES) != "(no message)";
}

}  // namespace

TEST(Archive, BrowseANestedArchiveCopyOutAndOpenAMember) {
    ProgramDirectory program;
    copyArchivers(program);
    ScratchDirectory tree{"vbarc"};
    ScratchDirectory destination{"vbout"};
    const std::string marker = destination / "ran.txt";
    ASSERT_TRUE(tree.makeDirectory("build"));
    ASSERT_TRUE(tree.makeDirectory("build\\folder"));
    ASSERT_TRUE(tree.makeDirectory("build\\dir"));
    ASSERT_TRUE(tree.writeFile("build\\folder\\leaf.txt", "leaf"));
    ASSERT_TRUE(tree.writeFile("build\\dir\\go.bat", "@echo ran> \"" + marker + "\"\r\n"));
    ASSERT_TRUE(tree.writeFile("build\\hello.txt", "hello " + Table));
    ASSERT_EQ(runArchiverCommand("ZIP32J.DLL", "Zip", "-r \"dir\\box.zip\" \"folder\\*.*\"", tree / "build"), 0);
    ASSERT_EQ(runArchiverCommand("UNLHA32.DLL", "Unlha", "a -d \"..\\outer.lzh\" \"dir\\*.*\" hello.txt",
                       tree / "build"),
              0);
    setLastPath(program, tree.path());
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    const std::string outer = tree / "outer.lzh";

    // In by Enter, level by level, the title naming where.
    handOver(vorbin, outer);
    ASSERT_TRUE(cursorOn(outer)) << viewedPath();
    vorbin.key(VK_RETURN);
    ASSERT_TRUE(titleEndsWith(vorbin, outer + ">")) << vorbin.title();
    vorbin.key('D');
    ASSERT_TRUE(cursorOn(outer + ">dir")) << viewedPath();
    vorbin.key(VK_RETURN);
    ASSERT_TRUE(titleEndsWith(vorbin, outer + ">dir")) << vorbin.title();
    vorbin.key('B');
    ASSERT_TRUE(cursorOn(outer + ">dir\\box.zip")) << viewedPath();
    vorbin.key(VK_RETURN);
    ASSERT_TRUE(titleEndsWith(vorbin, outer + ">dir\\box.zip>")) << vorbin.title();
    vorbin.key('F');
    vorbin.key(VK_RETURN);
    ASSERT_TRUE(titleEndsWith(vorbin, outer + ">dir\\box.zip>folder")) << vorbin.title();
    vorbin.key('L');
    EXPECT_TRUE(cursorOn(outer + ">dir\\box.zip>folder\\leaf.txt")) << viewedPath();

    // Out again by Backspace, the cursor on what was left.
    vorbin.key(VK_BACK);
    ASSERT_TRUE(titleEndsWith(vorbin, outer + ">dir\\box.zip>")) << vorbin.title();
    EXPECT_TRUE(cursorOn(outer + ">dir\\box.zip>folder")) << viewedPath();
    vorbin.key(VK_BACK);
    ASSERT_TRUE(titleEndsWith(vorbin, outer + ">dir")) << vorbin.title();
    EXPECT_TRUE(cursorOn(outer + ">dir\\box.zip")) << viewedPath();

    // A member opens from its extracted copy: the batch file runs.
    vorbin.key('G');
    ASSERT_TRUE(cursorOn(outer + ">dir\\go.bat")) << viewedPath();
    vorbin.key(VK_RETURN);
    EXPECT_TRUE(waitUntil([&] { return fileExists(marker); }, 20000));

    // Inside an archive nothing is made.
    vorbin.key('K');
    HWND make = waitForDialog("Make Dir");
    if (make) {
        ASSERT_TRUE(typeText(make, "new"));
        pressButton(make, IDOK);
        EXPECT_NE(answerMessage(ArchiveCaption, IDOK), "(no message)");
    }

    vorbin.key(VK_BACK);
    ASSERT_TRUE(titleEndsWith(vorbin, outer + ">")) << vorbin.title();
    // Marked file and folder copied out together, after the question.
    vorbin.key('D');
    ASSERT_TRUE(cursorOn(outer + ">dir")) << viewedPath();
    vorbin.key(VK_SPACE);
    vorbin.key('H');
    ASSERT_TRUE(cursorOn(outer + ">hello.txt")) << viewedPath();
    vorbin.key(VK_SPACE);
    ASSERT_TRUE(copyOut(vorbin, destination.path()));
    EXPECT_TRUE(waitUntil(
        [&] { return fileExists(destination / "dir\\box.zip") && fileExists(destination / "hello.txt"); },
        15000));
    EXPECT_EQ(readWholeFile(destination / "hello.txt"), "hello " + Table);
    EXPECT_TRUE(fileExists(destination / "dir\\go.bat"));

    vorbin.key(VK_BACK);
    ASSERT_TRUE(titleEndsWith(vorbin, tree.path())) << vorbin.title();
    EXPECT_TRUE(cursorOn(outer)) << viewedPath();
    EXPECT_TRUE(vorbin.close());
}

TEST(Archive, PackMarkedFilesWithAutoAndUnpackThemElsewhere) {
    ProgramDirectory program;
    copyArchivers(program);
    ScratchDirectory tree{"vbpak"};
    ASSERT_TRUE(tree.makeDirectory("src"));
    ASSERT_TRUE(tree.makeDirectory("src\\sub"));
    ASSERT_TRUE(tree.makeDirectory("z"));
    ASSERT_TRUE(tree.makeDirectory("l"));
    ASSERT_TRUE(tree.writeFile("src\\a.txt", "alpha"));
    ASSERT_TRUE(tree.writeFile("src\\" + Table + ".txt", "table"));
    ASSERT_TRUE(tree.writeFile("src\\sub\\b.txt", "beta"));
    ASSERT_TRUE(writeKeyTable(program, {{VK_F5, false, false, false, CmdAllselect2, ""}}));
    setLastPath(program, tree / "src");
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    ASSERT_TRUE(titleEndsWith(vorbin, tree / "src"));

    for (const char* name : {"pk.zip", "pk.lzh"}) {
        vorbin.key(VK_F5);
        vorbin.key('P');
        HWND pack = waitForDialog("PACK");
        ASSERT_TRUE(pack);
        EXPECT_EQ(IsDlgButtonChecked(pack, IDC_PACK_AUTO), BST_CHECKED);
        for (int id : {IDC_PACK_LHA, IDC_PACK_ZIP, IDC_PACK_CAB, IDC_PACK_TAR})
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(pack, id))) << id;
        ASSERT_TRUE(typeText(pack, name));
        pressButton(pack, IDOK);
        ASSERT_TRUE(waitUntil([&] { return fileExists(tree / "src\\" + name); }, 15000)) << name;
        EXPECT_TRUE(cursorOn(tree / "src\\" + name)) << viewedPath();
    }
    ASSERT_TRUE(MoveFileA((tree / "src\\pk.zip").c_str(), (tree / "z\\pk.zip").c_str()));
    ASSERT_TRUE(MoveFileA((tree / "src\\pk.lzh").c_str(), (tree / "l\\pk.lzh").c_str()));
    for (const char* folder : {"z\\pk.zip", "l\\pk.lzh"}) {
        handOver(vorbin, tree / folder);
        ASSERT_TRUE(cursorOn(tree / folder)) << viewedPath();
        vorbin.key('U');
        const std::string into = tree / std::string(folder).substr(0, 1);
        EXPECT_TRUE(waitUntil([&] { return fileExists(into + "\\sub\\b.txt"); }, 15000)) << folder;
        EXPECT_EQ(readWholeFile(into + "\\a.txt"), "alpha") << folder;
        EXPECT_EQ(readWholeFile(into + "\\" + Table + ".txt"), "table") << folder;
        EXPECT_EQ(readWholeFile(into + "\\sub\\b.txt"), "beta") << folder;
    }

    // A library taken away disables its button; the type chosen is kept.
    ASSERT_TRUE(DeleteFileA((program / "CAB32.DLL").c_str()));
    handOver(vorbin, tree / "src\\a.txt");
    ASSERT_TRUE(cursorOn(tree / "src\\a.txt")) << viewedPath();
    vorbin.key('P');
    HWND pack = waitForDialog("PACK");
    ASSERT_TRUE(pack);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(pack, IDC_PACK_CAB)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(pack, IDC_PACK_TAR)));
    ASSERT_TRUE(typeText(pack, "one.bin"));
    ASSERT_TRUE(typeKey(pack, {'T', false, false, true}));  // Alt+T: "&TAR"
    pressButton(pack, IDOK);
    EXPECT_TRUE(waitUntil([&] { return fileExists(tree / "src\\one.bin"); }, 15000));
    EXPECT_EQ(GetPrivateProfileIntA("ARCHIVE", "Type", -1, (program / "Vorbin.ini").c_str()), 4);

    // Packing onto an existing archive is refused and said so.
    vorbin.key('P');
    pack = waitForDialog("PACK");
    ASSERT_TRUE(pack);
    EXPECT_EQ(IsDlgButtonChecked(pack, IDC_PACK_TAR), BST_CHECKED);
    ASSERT_TRUE(typeText(pack, "one.bin"));
    pressButton(pack, IDOK);
    EXPECT_NE(answerMessage("\x88\xb3\x8f\x6b", IDOK), "(no message)");  // 圧縮
    EXPECT_TRUE(vorbin.close());
}

TEST(Archive, UnpackARarWithStoredMembersAndTellACompressedOne) {
    ProgramDirectory program;
    copyArchivers(program);
    ScratchDirectory tree{"vbrar"};
    ASSERT_TRUE(tree.makeDirectory("s"));
    ASSERT_TRUE(tree.makeDirectory("c"));
    ASSERT_TRUE(tree.writeFile("s\\s.rar", arctest::rar4({arctest::rarStored("in\\stored.txt", "kept")})));
    ASSERT_TRUE(tree.writeFile("c\\c.rar", arctest::rar4({arctest::rarCompressed("packed.txt", 100)})));
    setLastPath(program, tree.path());
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());

    handOver(vorbin, tree / "s\\s.rar");
    ASSERT_TRUE(cursorOn(tree / "s\\s.rar")) << viewedPath();
    vorbin.key('U');
    EXPECT_TRUE(waitUntil([&] { return fileExists(tree / "s\\in\\stored.txt"); }, 15000));
    EXPECT_EQ(readWholeFile(tree / "s\\in\\stored.txt"), "kept");

    handOver(vorbin, tree / "c\\c.rar");
    ASSERT_TRUE(cursorOn(tree / "c\\c.rar")) << viewedPath();
    vorbin.key('U');
    const std::string told = answerMessage(ArchiveCaption, IDOK);
    EXPECT_NE(told.find("c.rar"), std::string::npos) << told;
    EXPECT_FALSE(fileExists(tree / "c\\packed.txt"));
    EXPECT_TRUE(vorbin.close());
}

TEST(Archive, MembersThatLandOnOneFileAreAskedAboutBeforeOneIsLost) {
    ProgramDirectory program;
    copyArchivers(program);
    ScratchDirectory tree{"vbclash"};
    ScratchDirectory destination{"vbclout"};
    ASSERT_TRUE(tree.makeDirectory("k"));
    // 한.txt and 😀.txt, made and packed on the Linux side: code page 932
    // holds neither character, so both list as "_.txt".
    ASSERT_TRUE(hostShell("cd '" + unixPathOf(tree / "k") +
                          "' && printf hangul > '\xED\x95\x9C.txt' && printf emoji > '\xF0\x9F\x98\x80.txt'"
                          " && printf ok > ok.txt && zip -q -X ../two.zip *"));
    ASSERT_TRUE(writeKeyTable(program, {{VK_F5, false, false, false, CmdAllselect2, ""}}));
    setLastPath(program, tree.path());
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    const std::string zip = tree / "two.zip";

    // Every file marked and copied out: asked, and No copies nothing.
    for (int answer : {IDNO, IDYES}) {
        // In afresh, without the marks of the round before.
        handOver(vorbin, zip);
        ASSERT_TRUE(cursorOn(zip)) << viewedPath();
        vorbin.key(VK_RETURN);
        ASSERT_TRUE(titleEndsWith(vorbin, zip + ">")) << vorbin.title();
        vorbin.key(VK_F5);
        ASSERT_TRUE(copyOut(vorbin, destination.path()));
        const std::string told = answerMessage(ArchiveCaption, answer);
        EXPECT_NE(told.find("_.txt"), std::string::npos) << told;
        if (answer == IDNO) {
            // Keys are taken one after another: the copy has ended by the next.
            vorbin.key(VK_HOME);
            EXPECT_FALSE(fileExists(destination / "ok.txt"));
        }
    }
    // Yes: every file once, the one that landed last whole.
    EXPECT_TRUE(waitUntil([&] { return fileExists(destination / "ok.txt"); }, 15000));
    const std::string kept = readWholeFile(destination / "_.txt");
    EXPECT_TRUE(kept == "hangul" || kept == "emoji") << kept;

    // The whole archive unpacked: asked the same, and No unpacks nothing.
    handOver(vorbin, zip);
    ASSERT_TRUE(cursorOn(zip)) << viewedPath();
    vorbin.key('U');
    EXPECT_NE(answerMessage(ArchiveCaption, IDNO).find("_.txt"), std::string::npos);
    vorbin.key(VK_HOME);
    EXPECT_FALSE(fileExists(tree / "ok.txt"));
    EXPECT_TRUE(vorbin.close());
}
