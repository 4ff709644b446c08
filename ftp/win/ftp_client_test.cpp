#include "ftp/win/ftp_client.h"
#include "ftp/win/ftp_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <thread>

#include "testing/win/ftp_server_process.h"
#include "testing/win/scratch_directory.h"

namespace {

const std::string User = "alice";
const std::string Password = "pw-1";
// 表 and ソ end in the byte 0x5C; names with blanks, one with a leading blank.
const std::string Hyou = "\x95\x5C";
const std::string So = "\x83\x5C";

struct Server {
    explicit Server(const std::vector<std::string>& options = {})
        : process(root.path(), control.path(), User, Password, options) {}
    ScratchDirectory root{"ftproot"};
    ScratchDirectory control{"ftpctl"};
    FtpServerProcess process;
};

std::set<std::string> names(const ftp::Listing& l) {
    std::set<std::string> out;
    for (const auto& e : l.entries) out.insert(e.name + (e.directory ? "/" : ""));
    return out;
}

std::string bigContent(std::size_t size) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 7919) >> 3);
    return s;
}

bool waitUntil(const std::function<bool()>& f, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (f()) return true;
        Sleep(50);
    }
    return f();
}

// Every operation against the real server, in the four ways it can be met:
// MLSD or LIST, passive or active data connections.
TEST(FtpClient, EveryOperationAgainstARealServer) {
    struct Way {
        const char* what;
        std::vector<std::string> options;
        bool passive;
    };
    const std::vector<Way> ways = {
        {"MLSD passive", {}, true},
        {"MLSD active", {}, false},
        {"LIST passive", {"--no-mlsd"}, true},
        {"LIST active", {"--no-mlsd"}, false},
    };
    for (const Way& way : ways) {
        Server server(way.options);
        ASSERT_TRUE(server.process.started()) << way.what;
        ASSERT_TRUE(server.root.writeFile("a b.txt", "blank name"));
        ASSERT_TRUE(server.root.writeFile(" lead.txt", "leading blank"));
        ASSERT_TRUE(server.root.writeFile(Hyou + " " + So + ".txt", "sjis"));
        ASSERT_TRUE(server.root.makeDirectory("sub dir"));
        ASSERT_TRUE(server.root.writeFile("sub dir\\inner.bin", bigContent(300000)));

        ftp::FtpClient client;
        ASSERT_TRUE(client.connect("127.0.0.1", server.process.port(), User, Password, way.passive))
            << way.what << ": " << client.errorText();
        EXPECT_EQ(client.features().mlsd, way.options.empty()) << way.what;
        EXPECT_TRUE(client.features().utf8) << way.what;

        ftp::Listing root;
        ASSERT_TRUE(client.list(root)) << way.what << ": " << client.errorText();
        EXPECT_EQ(names(root), (std::set<std::string>{"a b.txt", " lead.txt", Hyou + " " + So + ".txt",
                                                      "sub dir/"}))
            << way.what;
        EXPECT_FALSE(root.wholeLines) << way.what;
        for (const auto& e : root.entries) {
            if (e.name == "a b.txt") EXPECT_EQ(e.size, 10u) << way.what;
            EXPECT_NE(e.time, 0u) << way.what << " " << e.name;
        }

        ASSERT_TRUE(client.changeDirectory("sub dir")) << way.what << ": " << client.errorText();
        EXPECT_EQ(client.currentDirectory().value_or(""), "/sub dir") << way.what;
        ScratchDirectory local{"ftplocal"};
        ASSERT_TRUE(client.retrieve("inner.bin", local / "inner.bin")) << way.what << ": " << client.errorText();
        EXPECT_EQ(readWholeFile(local / "inner.bin"), bigContent(300000)) << way.what;
        EXPECT_FALSE(fileExists(local / "inner.bin.vbpart")) << way.what;

        ASSERT_TRUE(client.changeDirectory("/")) << way.what;
        ASSERT_TRUE(client.retrieve(Hyou + " " + So + ".txt", local / (Hyou + ".txt"))) << way.what;
        EXPECT_EQ(readWholeFile(local / (Hyou + ".txt")), "sjis") << way.what;

        ASSERT_TRUE(local.writeFile(So + " up.txt", "uploaded"));
        ASSERT_TRUE(client.store(local / (So + " up.txt"), "/sub dir/" + So + " up.txt"))
            << way.what << ": " << client.errorText();
        EXPECT_EQ(readWholeFile(server.root / ("sub dir\\" + So + " up.txt")), "uploaded") << way.what;
        // Storing again replaces it.
        ASSERT_TRUE(local.writeFile(So + " up.txt", "second"));
        ASSERT_TRUE(client.store(local / (So + " up.txt"), "/sub dir/" + So + " up.txt")) << way.what;
        EXPECT_EQ(readWholeFile(server.root / ("sub dir\\" + So + " up.txt")), "second") << way.what;
        EXPECT_EQ(client.size("/sub dir/" + So + " up.txt").value_or(0), 6u) << way.what;
        EXPECT_TRUE(client.modified("a b.txt").has_value()) << way.what;

        ASSERT_TRUE(client.makeDirectory("new " + Hyou)) << way.what;
        EXPECT_TRUE(GetFileAttributesA((server.root / ("new " + Hyou)).c_str()) & FILE_ATTRIBUTE_DIRECTORY);
        ASSERT_TRUE(client.rename("a b.txt", "new " + Hyou + "/c d.txt")) << way.what;
        EXPECT_EQ(readWholeFile(server.root / ("new " + Hyou + "\\c d.txt")), "blank name") << way.what;
        EXPECT_FALSE(client.rename("no such", "x")) << way.what;
        EXPECT_EQ(client.failure(), ftp::Failure::Refused) << way.what;
        ASSERT_TRUE(client.deleteFile("new " + Hyou + "/c d.txt")) << way.what;
        ASSERT_TRUE(client.removeDirectory("new " + Hyou)) << way.what;
        EXPECT_FALSE(fileExists(server.root / ("new " + Hyou))) << way.what;

        EXPECT_FALSE(client.changeDirectory("missing")) << way.what;
        EXPECT_EQ(client.failure(), ftp::Failure::Refused) << way.what;
        EXPECT_TRUE(client.connected()) << way.what;
        EXPECT_FALSE(client.switchedToPassive()) << way.what;
        client.disconnect();
        EXPECT_FALSE(client.connected());
    }
}

TEST(FtpClient, UnsafeNamesNeverReachTheCaller) {
    Server server({"--hostile"});
    ASSERT_TRUE(server.process.started());
    ASSERT_TRUE(server.root.writeFile("fine.txt", "x"));
    ftp::FtpClient client;
    ASSERT_TRUE(client.connect("127.0.0.1", server.process.port(), User, Password, true));
    ftp::Listing l;
    ASSERT_TRUE(client.list(l)) << client.errorText();
    EXPECT_EQ(names(l), std::set<std::string>{"fine.txt"});
}

TEST(FtpClient, ActiveRefusedFallsBackToPassiveOnce) {
    Server server({"--no-active"});
    ASSERT_TRUE(server.process.started());
    ASSERT_TRUE(server.root.writeFile("f.txt", "data"));
    ftp::FtpClient client;
    ASSERT_TRUE(client.connect("127.0.0.1", server.process.port(), User, Password, false));
    ftp::Listing l;
    ASSERT_TRUE(client.list(l)) << client.errorText();
    EXPECT_TRUE(client.switchedToPassive());
    EXPECT_EQ(names(l), std::set<std::string>{"f.txt"});
}

TEST(FtpClient, WrongPasswordAndSilentServerEndWithAFailureNotAHang) {
    Server server;
    ASSERT_TRUE(server.process.started());
    ftp::FtpClient client;
    EXPECT_FALSE(client.connect("127.0.0.1", server.process.port(), User, "wrong", true));
    EXPECT_EQ(client.failure(), ftp::Failure::Login);
    EXPECT_EQ(client.errorText().find("wrong"), std::string::npos);
    EXPECT_FALSE(client.connected());

    Server silent({"--silent"});
    ASSERT_TRUE(silent.process.started());
    ftp::FtpClient patient;
    patient.setTimeouts({2000, 1500, 1500});
    ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(patient.connect("127.0.0.1", silent.process.port(), User, Password, true));
    EXPECT_EQ(patient.failure(), ftp::Failure::Timeout);
    EXPECT_LT(GetTickCount64() - start, 10000u);

    ftp::FtpClient nobody;
    nobody.setTimeouts({2000, 1500, 1500});
    EXPECT_FALSE(nobody.connect("127.0.0.1", 1, User, Password, true));
    EXPECT_EQ(nobody.failure(), ftp::Failure::Connect);
}

// The server dies in the middle of a transfer, or the user cancels it: no
// file is left that looks complete, and after a cancel the connection goes on.
TEST(FtpClient, TransfersCutShortLeaveNothingThatLooksComplete) {
    const std::string content = bigContent(3 * 1024 * 1024);
    for (bool cancel : {true, false}) {
        Server server({"--throttle", "262144"});
        ASSERT_TRUE(server.process.started());
        ASSERT_TRUE(server.root.writeFile("big.bin", content));
        ScratchDirectory local{"ftplocal"};
        ftp::FtpClient client;
        client.setTimeouts({5000, 5000, 5000});
        ASSERT_TRUE(client.connect("127.0.0.1", server.process.port(), User, Password, true));
        std::atomic<bool> stop{false};
        bool result = true;
        std::thread t([&] { result = client.retrieve("big.bin", local / "big.bin", &stop); });
        bool growing = waitUntil(
            [&] {
                WIN32_FILE_ATTRIBUTE_DATA d{};
                return GetFileAttributesExA((local / "big.bin.vbpart").c_str(), GetFileExInfoStandard, &d) &&
                       d.nFileSizeLow > 100000;
            },
            20000);
        if (cancel) stop = true;
        else server.process.kill();
        t.join();
        EXPECT_TRUE(growing);
        EXPECT_FALSE(result) << (cancel ? "cancel" : "kill");
        EXPECT_FALSE(fileExists(local / "big.bin")) << (cancel ? "cancel" : "kill");
        EXPECT_FALSE(fileExists(local / "big.bin.vbpart")) << (cancel ? "cancel" : "kill");
        if (cancel) {
            EXPECT_EQ(client.failure(), ftp::Failure::Cancelled);
            ftp::Listing l;
            EXPECT_TRUE(client.list(l)) << "the connection after a cancel: " << client.errorText();
        } else {
            EXPECT_FALSE(client.errorText().empty());
        }
    }

    // An upload whose server dies leaves no file under the name asked for.
    Server server({"--throttle", "262144"});
    ASSERT_TRUE(server.process.started());
    ScratchDirectory local{"ftplocal"};
    ASSERT_TRUE(local.writeFile("up.bin", content));
    ftp::FtpClient client;
    client.setTimeouts({5000, 5000, 5000});
    ASSERT_TRUE(client.connect("127.0.0.1", server.process.port(), User, Password, true));
    bool result = true;
    std::thread t([&] { result = client.store(local / "up.bin", "up.bin"); });
    EXPECT_TRUE(waitUntil([&] { return fileExists(server.root / "up.bin.vbpart"); }, 20000));
    server.process.kill();
    t.join();
    EXPECT_FALSE(result);
    EXPECT_FALSE(fileExists(server.root / "up.bin"));
}

}  // namespace

namespace {

// A second, different real server, run by hand: scripts/ftp-second-server
// starts vsftpd and names its port and writable directory here.
TEST(FtpClient, SecondServerByHand) {
    char server[512] = {};
    if (!GetEnvironmentVariableA("VORBIN_FTP_SECOND", server, sizeof server))
        GTEST_SKIP() << "run through scripts/ftp-second-server";
    std::string text(server);  // port,windows path of the writable directory
    std::size_t comma = text.find(',');
    ASSERT_NE(comma, std::string::npos);
    const uint16_t port = static_cast<uint16_t>(std::stoi(text.substr(0, comma)));
    const std::string shared = text.substr(comma + 1);
    // The script made "表 dir" (writable for the anonymous user) holding
    // " lead ソ.txt".

    for (bool passive : {true, false}) {
        ftp::FtpClient client;
        ASSERT_TRUE(client.connect("127.0.0.1", port, "ftp", "guest", passive)) << client.errorText();
        EXPECT_FALSE(client.features().mlsd);
        ASSERT_TRUE(client.changeDirectory("/pub/" + Hyou + " dir")) << client.errorText();
        ftp::Listing l;
        ASSERT_TRUE(client.list(l)) << client.errorText();
        ASSERT_EQ(names(l), std::set<std::string>{" lead " + So + ".txt"});
        EXPECT_EQ(l.entries[0].size, 15u);
        ScratchDirectory local{"ftplocal"};
        ASSERT_TRUE(client.retrieve(" lead " + So + ".txt", local / "got.txt")) << client.errorText();
        EXPECT_EQ(readWholeFile(local / "got.txt"), "from the server");
        ASSERT_TRUE(local.writeFile("up.txt", "to the server"));
        ASSERT_TRUE(client.store(local / "up.txt", "up " + Hyou + ".txt")) << client.errorText();
        ASSERT_TRUE(client.makeDirectory("made")) << client.errorText();
        ASSERT_TRUE(client.rename("up " + Hyou + ".txt", "made/moved.txt")) << client.errorText();
        EXPECT_EQ(readWholeFile(shared + "\\" + Hyou + " dir\\made\\moved.txt"), "to the server");
        ASSERT_TRUE(client.deleteFile("made/moved.txt")) << client.errorText();
        ASSERT_TRUE(client.removeDirectory("made")) << client.errorText();
        EXPECT_EQ(client.switchedToPassive(), false);
    }
}

}  // namespace

namespace {

// The session's own rules on top of the client: a dropped connection is
// made again once, a refused directory falls back to its parent, a local
// copy that matches is not fetched again and takes the server's time.
TEST(FtpSession, ReconnectParentFallbackAndMatchingCopy) {
    Server server({"--idle", "1"});
    ASSERT_TRUE(server.process.started());
    ASSERT_TRUE(server.root.makeDirectory("sub dir"));
    ASSERT_TRUE(server.root.writeFile("sub dir\\f.txt", "twelve bytes"));
    ftp::FtpSession session("test");
    ASSERT_TRUE(session.Connect("127.0.0.1", User, Password, true, server.process.port(), false));
    EXPECT_FALSE(session.Connect("127.0.0.1", User, Password, true, server.process.port(), false));

    std::string path = "/sub dir/missing";
    ASSERT_TRUE(session.ChangeDirectory(path));
    EXPECT_EQ(path, "/sub dir");

    Sleep(2500);  // the server drops the idle connection
    ftp::Listing l;
    ASSERT_TRUE(session.List(l)) << session.ErrorText();
    EXPECT_EQ(names(l), std::set<std::string>{"f.txt"});

    ScratchDirectory local{"ftplocal"};
    ASSERT_TRUE(session.GetFile("/sub dir/f.txt", local / "f.txt", nullptr));
    WIN32_FILE_ATTRIBUTE_DATA ours{}, theirs{};
    ASSERT_TRUE(GetFileAttributesExA((local / "f.txt").c_str(), GetFileExInfoStandard, &ours));
    ASSERT_TRUE(GetFileAttributesExA((server.root / "sub dir\\f.txt").c_str(), GetFileExInfoStandard, &theirs));
    auto seconds = [](const FILETIME& t) { return ((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000000; };
    EXPECT_EQ(seconds(ours.ftLastWriteTime), seconds(theirs.ftLastWriteTime));

    // Same size, same minute: taken for the file and left alone.
    HANDLE h = CreateFileA((local / "f.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, "TWELVE BYTES", 12, &written, nullptr);
    SetFileTime(h, nullptr, nullptr, &ours.ftLastWriteTime);
    CloseHandle(h);
    ASSERT_TRUE(session.GetFile("/sub dir/f.txt", local / "f.txt", nullptr));
    EXPECT_EQ(readWholeFile(local / "f.txt"), "TWELVE BYTES");
    // Another size: fetched.
    ASSERT_TRUE(server.root.writeFile("sub dir\\f.txt", "now longer text"));
    ASSERT_TRUE(session.GetFile("/sub dir/f.txt", local / "f.txt", nullptr));
    EXPECT_EQ(readWholeFile(local / "f.txt"), "now longer text");

    EXPECT_TRUE(session.CreateEmptyFile("/sub dir/empty"));
    EXPECT_FALSE(session.CreateEmptyFile("/sub dir/empty"));
    EXPECT_TRUE(fileExists(server.root / "sub dir\\empty"));
    EXPECT_FALSE(session.Rename("/sub dir/f.txt", "/sub dir/empty"));
    EXPECT_TRUE(session.IsDirectory("/sub dir"));
    EXPECT_FALSE(session.IsDirectory("/sub dir/empty"));
}

}  // namespace

namespace {

// An upload cut off by a dying server leaves its temporary name there; the
// next connection to that server removes it while it is still no larger
// than what we sent, and leaves complete files and other temporary names be.
TEST(FtpSession, BrokenUploadsTemporaryNameRemovedOnTheNextConnection) {
    const std::string content = bigContent(3 * 1024 * 1024);
    for (bool writtenSinceByOthers : {false, true}) {
        SCOPED_TRACE(writtenSinceByOthers ? "written since" : "as we left it");
        ScratchDirectory root{"ftproot"}, local{"ftplocal"};
        ASSERT_TRUE(local.writeFile("up.bin", content));
        ASSERT_TRUE(root.writeFile("keep.bin", "complete"));
        ASSERT_TRUE(root.writeFile("other.bin.vbpart", "not ours"));
        ftp::FtpSession session("test");
        session.SetTimeouts({5000, 5000, 5000});
        uint16_t port = 0;
        {
            ScratchDirectory control{"ftpctl"};
            FtpServerProcess server(root.path(), control.path(), User, Password, {"--throttle", "262144"});
            ASSERT_TRUE(server.started());
            port = server.port();
            ASSERT_TRUE(session.Connect("127.0.0.1", User, Password, true, port, true));
            bool stored = true;
            std::thread t([&] { stored = session.PutFile(local / "up.bin", "/up.bin", nullptr); });
            EXPECT_TRUE(waitUntil([&] { return fileExists(root / "up.bin.vbpart"); }, 20000));
            server.kill();
            t.join();
            EXPECT_FALSE(stored);
        }
        ASSERT_TRUE(fileExists(root / "up.bin.vbpart"));
        if (writtenSinceByOthers) ASSERT_TRUE(root.writeFile("up.bin.vbpart", content + "more"));
        ScratchDirectory control{"ftpctl"};
        FtpServerProcess again(root.path(), control.path(), User, Password, {"--port", std::to_string(port)});
        ASSERT_TRUE(again.started());
        ftp::Listing l;
        ASSERT_TRUE(session.List(l)) << session.ErrorText();
        EXPECT_EQ(fileExists(root / "up.bin.vbpart"), writtenSinceByOthers);
        EXPECT_FALSE(fileExists(root / "up.bin"));
        EXPECT_EQ(readWholeFile(root / "keep.bin"), "complete");
        EXPECT_EQ(readWholeFile(root / "other.bin.vbpart"), "not ours");
    }
}

}  // namespace
