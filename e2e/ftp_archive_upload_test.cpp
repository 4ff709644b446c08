// Members of an archive copied to an FTP folder by the keys of any copy:
// unpacked into a work directory of their own, uploaded, and nothing left
// of them on this side. One zip made by Info-ZIP's zip (with a name code
// page 932 cannot hold), one LZH made by the program's own library (lhasa
// only unpacks).
#include <gtest/gtest.h>

#include "e2e/ftp_steps.h"
#include "e2e/vorbin_process.h"
#include "services/win/program_directory.h"
#include "testing/win/archiver_command.h"
#include "testing/win/ftp_server_process.h"

namespace {

// 表 and ソ end in the byte 0x5C.
const std::string Hyou = "\x95\x5c";
const std::string So = "\x83\x5c";

std::string everyByte(std::size_t size) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 2654435761u) >> 13);
    return s;
}

// 한글 😀.txt in UTF-8; listed with "_" for each character the code page lacks.
const std::string Unholdable = "\xED\x95\x9C\xEA\xB8\x80 \xF0\x9F\x98\x80.txt";
const std::string UnholdableShown = "__ _.txt";

// Korean and an emoji, which code page 932 cannot hold, made on the Linux
// side and packed there by zip.
bool zipWithInfoZip(const ScratchDirectory& tree, const std::string& folder, const std::string& archive) {
    return hostShell("cd '" + unixPathOf(tree / folder) + "' && printf 'hangul' > '" + Unholdable +
                     "' && zip -q -r -X '../" + archive + "' .");
}

}  // namespace

TEST(FtpArchiveUpload, MarkedMembersArriveWholeAndTheWorkDirectoryIsEmptied) {
    ScratchDirectory root{"ftproot"}, control{"ftpctl"}, tree{"ftparc"};
    const std::string blanked = Hyou + " " + So + ".txt";
    const std::string text = "text of " + Hyou + So + "\r\n";
    const std::string bytes = everyByte(300000);
    ASSERT_TRUE(tree.makeDirectory("src"));
    ASSERT_TRUE(tree.makeDirectory("src\\sub dir"));
    ASSERT_TRUE(tree.writeFile("src\\" + blanked, text));
    ASSERT_TRUE(tree.writeFile("src\\data.bin", bytes));
    ASSERT_TRUE(tree.writeFile("src\\sub dir\\" + So + ".txt", "deeper " + So));
    ASSERT_TRUE(zipWithInfoZip(tree, "src", "up.zip"));
    ASSERT_EQ(runArchiverCommand("UNLHA32.DLL", "Unlha",
                                 "a -d \"..\\up.lzh\" \"sub dir\\*.*\" \"" + blanked + "\" data.bin",
                                 tree / "src"),
              0);
    for (const char* folder : {"z", "l"}) ASSERT_TRUE(root.makeDirectory(folder));

    FtpServerProcess server(root.path(), control.path(), "alice", "pw-1");
    ASSERT_TRUE(server.started());
    ProgramDirectory program;
    for (const char* library : {"UNZIP32.DLL", "UNLHA32.DLL"})
        ASSERT_TRUE(CopyFileA((programDirectory() + library).c_str(), (program / library).c_str(), FALSE));
    ASSERT_TRUE(writeKeyTable(program, {}));
    setLastPath(program, tree.path());
    storeAccount(program, server.port(), "alice", "pw-1");
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    const std::string host = "|127.0.0.1:" + std::to_string(server.port());
    const std::string work = program / "TEMP\\V_WORK";

    const struct {
        const char* archive;
        const char* remote;
    } cases[] = {{"up.zip", "z"}, {"up.lzh", "l"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.archive);
        const std::string archive = tree / c.archive;
        handOver(vorbin, archive);
        ASSERT_TRUE(waitUntil([&] { return viewedPath() == archive; })) << viewedPath();
        vorbin.key(VK_RETURN);
        ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(archive + ">"); })) << vorbin.title();

        // The job ends before the pane lists the archive again; a key typed
        // now is taken after that.
        auto cursorStaysOn = [&](const std::string& path) {
            vorbin.key(VK_PAUSE);  // bound to nothing
            return viewedPath() == path;
        };
        auto workEmptied = [&] { return waitUntil([&] { return filesBelow(work) == 0; }, 10000); };
        const std::string there = root / c.remote;

        // What the code page cannot hold arrives under the name shown, whole.
        if (std::string(c.archive) == "up.zip") {
            ASSERT_TRUE(moveCursorTo(vorbin, archive + ">" + UnholdableShown)) << viewedPath();
            answerTransfer(vorbin, 'C', "Copy", host + "/" + c.remote, ConfirmCopy);
            EXPECT_TRUE(waitUntil([&] { return readWholeFile(there + "\\" + UnholdableShown) == "hangul"; },
                                  20000));
            EXPECT_TRUE(workEmptied()) << filesBelow(work);
            EXPECT_TRUE(cursorStaysOn(archive + ">" + UnholdableShown)) << viewedPath();
        }

        // Two marked files of the top level in one copy.
        for (const std::string& name : {blanked, std::string("data.bin")}) {
            ASSERT_TRUE(moveCursorTo(vorbin, archive + ">" + name)) << viewedPath();
            vorbin.key(' ');
        }
        const std::string cursorBefore = viewedPath();
        answerTransfer(vorbin, 'C', "Copy", host + "/" + c.remote, ConfirmCopy);
        EXPECT_TRUE(waitUntil([&] { return readWholeFile(there + "\\data.bin") == bytes; }, 20000));
        EXPECT_TRUE(waitUntil([&] { return readWholeFile(there + "\\" + blanked) == text; }, 20000));
        // The work directory goes once the job's window has closed: nothing left here.
        EXPECT_TRUE(workEmptied()) << filesBelow(work);
        EXPECT_TRUE(cursorStaysOn(cursorBefore)) << viewedPath();

        // One file of a folder inside, under its own name.
        ASSERT_TRUE(moveCursorTo(vorbin, archive + ">sub dir")) << viewedPath();
        vorbin.key(VK_RETURN);
        ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(archive + ">sub dir"); }))
            << vorbin.title();
        ASSERT_TRUE(moveCursorTo(vorbin, archive + ">sub dir\\" + So + ".txt")) << viewedPath();
        answerTransfer(vorbin, 'C', "Copy", host + "/" + c.remote, ConfirmCopy);
        EXPECT_TRUE(waitUntil([&] { return readWholeFile(there + "\\" + So + ".txt") == "deeper " + So; },
                              20000));

        EXPECT_TRUE(workEmptied()) << filesBelow(work);
        // Nothing half-written there.
        EXPECT_FALSE(fileExists(there + "\\data.bin.vbpart"));
    }
    EXPECT_TRUE(vorbin.close());
}
