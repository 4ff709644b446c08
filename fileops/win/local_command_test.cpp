// The local command object on real trees with Japanese names. The shell's
// confirmation dialogs are answered from a second thread, found by title.
#include "fileops/win/local_command.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

#include "base/win/handle.h"
#include "testing/win/scratch_directory.h"
#include "base/win/shell_confirmations.h"

namespace {
const std::string Hyou = "\x95\x5c";                     // 表: trail byte "\"
const std::string Nihongo = "\x93\xfa\x96\x7b\x8c\xea";  // 日本語
const std::string So = "\x83\x5c";                       // ソ

bool isDir(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string narrow(const wchar_t* text) {
    char out[512] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out - 1, nullptr, nullptr);
    return out;
}

// Clicks one button in every shell confirmation that shows up while it lives.
// A dialog with an unknown title is cancelled after a while and recorded with
// a leading "?", so a test fails instead of hanging.
class ConfirmationAnswerer {
public:
    explicit ConfirmationAnswerer(int button) : button_(button), thread_([this] { run(); }) {}
    ~ConfirmationAnswerer() {
        stop_ = true;
        thread_.join();
    }
    // UTF-8 titles of the dialogs answered.
    std::vector<std::string> titles() {
        std::lock_guard lock(mutex_);
        return titles_;
    }

private:
    static BOOL CALLBACK visit(HWND window, LPARAM self) {
        auto* me = reinterpret_cast<ConfirmationAnswerer*>(self);
        char cls[64] = {};
        wchar_t title[256] = {};
        GetClassNameA(window, cls, sizeof cls);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != GetCurrentProcessId() || std::string(cls) != "#32770" ||
            !IsWindowVisible(window) || window == me->lastAnswered_) {
            return TRUE;
        }
        GetWindowTextW(window, title, 256);
        bool known = false;
        for (const wchar_t* t : ShellConfirmationTitles) known |= (wcscmp(t, title) == 0);
        int button = me->button_;
        std::string record = narrow(title);
        if (!known) {
            if (++me->unknownPolls_ < 150) return TRUE;
            button = IDCANCEL;
            record = "?" + record;
        }
        HWND control = GetDlgItem(window, button);
        if (!control) return TRUE;
        me->lastAnswered_ = window;
        me->unknownPolls_ = 0;
        {
            std::lock_guard lock(me->mutex_);
            me->titles_.push_back(record);
        }
        PostMessageA(control, BM_CLICK, 0, 0);
        return TRUE;
    }
    void run() {
        while (!stop_) {
            EnumWindows(visit, reinterpret_cast<LPARAM>(this));
            Sleep(20);
        }
    }

    int button_;
    std::atomic<bool> stop_{false};
    HWND lastAnswered_ = nullptr;
    int unknownPolls_ = 0;
    std::mutex mutex_;
    std::vector<std::string> titles_;
    std::thread thread_;
};

constexpr int Yes = 6, No = 7;

// Message boxes are recorded instead of shown: questions in numbers, the
// failures told in reports.
struct AskRecorder {
    std::vector<int> numbers;
    std::vector<int> reports;
    std::vector<std::vector<std::string>> texts;
    int answer = IDNO;
    LocalCommandHooks hooks() {
        return {[this](HWND, int number) {
                    numbers.push_back(number);
                    return answer;
                },
                {},
                [this](HWND, int number, const std::vector<std::string>& arguments) {
                    reports.push_back(number);
                    texts.push_back(arguments);
                }};
    }
};
}  // namespace

TEST(LocalCommand, NamesItself) {
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    CCommand& base = command;
    EXPECT_STREQ(base.GetCommandName(), "CLocalCommand");
}

TEST(LocalCommand, CopiesJapaneseFilesAndKeepsTheSource) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou + ".txt", "hyou"));
    ASSERT_TRUE(dir.makeDirectory(Nihongo));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    ASSERT_TRUE(command.Copy({dir / (Hyou + ".txt")}, dir / Nihongo));
    EXPECT_EQ(readWholeFile(dir / (Nihongo + "\\" + Hyou + ".txt")), "hyou");
    EXPECT_EQ(readWholeFile(dir / (Hyou + ".txt")), "hyou");
    // The proposed copy name beside the original.
    ASSERT_TRUE(command.Copy({dir / (Hyou + ".txt")}, dir / (Hyou + "_Copy.txt")));
    EXPECT_EQ(readWholeFile(dir / (Hyou + "_Copy.txt")), "hyou");
}

TEST(LocalCommand, CopyOfADirectoryToANewNameFillsItWithTheContents) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.makeDirectory(So));
    ASSERT_TRUE(dir.writeFile(So + "\\" + Hyou, "inner"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    ASSERT_TRUE(command.Copy({dir / So}, dir / Nihongo));
    EXPECT_EQ(readWholeFile(dir / (Nihongo + "\\" + Hyou)), "inner");
    EXPECT_EQ(readWholeFile(dir / (So + "\\" + Hyou)), "inner");
}

TEST(LocalCommand, FailedCopyAndMoveKeepTheSourceComplete) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou, "keep me"));
    ASSERT_TRUE(dir.writeFile("plain", "blocker"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    // Below a plain file no destination can exist.
    const std::string impossible = dir / ("plain\\" + Nihongo + "\\x");
    EXPECT_FALSE(command.Copy({dir / Hyou}, impossible));
    EXPECT_FALSE(command.Move({dir / Hyou}, impossible));
    EXPECT_EQ(asks.reports, (std::vector<int>{1014, 1014}));
    EXPECT_EQ(readWholeFile(dir / Hyou), "keep me");
    EXPECT_EQ(readWholeFile(dir / "plain"), "blocker");
}

TEST(LocalCommand, MoveWithAMissingSourceLosesNoFile) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou, "first"));
    ASSERT_TRUE(dir.makeDirectory(Nihongo));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    EXPECT_FALSE(command.Move({dir / Hyou, dir / "missing"}, dir / Nihongo));
    EXPECT_EQ(asks.reports, std::vector<int>{1011});
    const bool atSource = fileExists(dir / Hyou);
    const bool atTarget = fileExists(dir / (Nihongo + "\\" + Hyou));
    ASSERT_TRUE(atSource != atTarget) << "the file must be in exactly one place";
    EXPECT_EQ(readWholeFile(atSource ? dir / Hyou : dir / (Nihongo + "\\" + Hyou)), "first");
}

TEST(LocalCommand, MoveOntoAnExistingNameAnsweredNoKeepsBoth) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou, "moving"));
    ASSERT_TRUE(dir.makeDirectory(Nihongo));
    ASSERT_TRUE(dir.writeFile(Nihongo + "\\" + Hyou, "standing"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    bool moved;
    std::vector<std::string> titles;
    {
        ConfirmationAnswerer answerer(No);
        moved = command.Move({dir / Hyou}, dir / Nihongo);
        titles = answerer.titles();
    }
    EXPECT_FALSE(moved);
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_TRUE(titles[0] == "Confirm file overwrite" || titles[0] == "ファイルの上書きの確認")
        << titles[0];
    EXPECT_EQ(readWholeFile(dir / Hyou), "moving");
    EXPECT_EQ(readWholeFile(dir / (Nihongo + "\\" + Hyou)), "standing");
}

TEST(LocalCommand, MoveOntoAnExistingNameAnsweredYesReplacesIt) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou, "moving"));
    ASSERT_TRUE(dir.makeDirectory(Nihongo));
    ASSERT_TRUE(dir.writeFile(Nihongo + "\\" + Hyou, "standing"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    bool moved;
    {
        ConfirmationAnswerer answerer(Yes);
        moved = command.Move({dir / Hyou}, dir / Nihongo);
    }
    EXPECT_TRUE(moved);
    EXPECT_FALSE(fileExists(dir / Hyou));
    EXPECT_EQ(readWholeFile(dir / (Nihongo + "\\" + Hyou)), "moving");
}

namespace {
void deleteMarkedSet(bool toRecycleBin) {
    ScratchDirectory dir;
    for (const std::string& name : {Hyou, So, Nihongo + ".txt", std::string("a.txt")}) {
        ASSERT_TRUE(dir.writeFile(name, name));
    }
    ASSERT_TRUE(dir.makeDirectory(Nihongo));
    ASSERT_TRUE(dir.writeFile(Nihongo + "\\" + Hyou, "inside"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    bool deleted;
    std::vector<std::string> titles;
    {
        ConfirmationAnswerer answerer(Yes);
        deleted = command.Delete({dir / Hyou, dir / Nihongo, dir / "a.txt"}, toRecycleBin);
        titles = answerer.titles();
    }
    EXPECT_TRUE(deleted);
    for (const std::string& t : titles) EXPECT_NE(t.front(), '?') << t;
    EXPECT_FALSE(fileExists(dir / Hyou));
    EXPECT_FALSE(fileExists(dir / "a.txt"));
    EXPECT_FALSE(isDir(dir / Nihongo));
    // The unmarked ones, one of them a prefix of a marked name, stay whole.
    EXPECT_EQ(readWholeFile(dir / So), So);
    EXPECT_EQ(readWholeFile(dir / (Nihongo + ".txt")), Nihongo + ".txt");
}
}  // namespace

TEST(LocalCommand, DeleteToRecycleBinRemovesExactlyTheMarkedSet) { deleteMarkedSet(true); }
TEST(LocalCommand, KillRemovesExactlyTheMarkedSet) { deleteMarkedSet(false); }

TEST(LocalCommand, DeleteAnsweredNoKeepsEverything) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou, "stay"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    bool deleted;
    {
        ConfirmationAnswerer answerer(No);
        deleted = command.Delete({dir / Hyou}, false);
    }
    EXPECT_FALSE(deleted);
    EXPECT_EQ(readWholeFile(dir / Hyou), "stay");
}

TEST(LocalCommand, RenameOntoAnExistingNameFailsAndKeepsBoth) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou, "old"));
    ASSERT_TRUE(dir.writeFile(So, "other"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    {
        ConfirmationAnswerer answerer(Yes);  // even a yes must not replace it
        EXPECT_FALSE(command.Rename(dir / Hyou, dir / So));
        EXPECT_TRUE(answerer.titles().empty());
    }
    EXPECT_EQ(asks.reports, std::vector<int>{1013});
    EXPECT_EQ(readWholeFile(dir / Hyou), "old");
    EXPECT_EQ(readWholeFile(dir / So), "other");
    ASSERT_TRUE(command.Rename(dir / Hyou, dir / Nihongo));
    EXPECT_FALSE(fileExists(dir / Hyou));
    EXPECT_EQ(readWholeFile(dir / Nihongo), "old");
}

TEST(LocalCommand, MakeDirectoryAndCreateEmptyFile) {
    ScratchDirectory dir;
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    ASSERT_TRUE(command.MakeDirectory(dir / Nihongo));
    EXPECT_TRUE(isDir(dir / Nihongo));
    EXPECT_FALSE(command.MakeDirectory(dir / Nihongo));
    ASSERT_TRUE(command.CreateEmptyFile(dir / Hyou));
    EXPECT_TRUE(fileExists(dir / Hyou));
    EXPECT_EQ(readWholeFile(dir / Hyou), "");
    // An existing file is left with its content.
    ASSERT_TRUE(dir.writeFile(So, "content"));
    EXPECT_TRUE(command.CreateEmptyFile(dir / So));
    EXPECT_EQ(readWholeFile(dir / So), "content");
    EXPECT_FALSE(command.CreateEmptyFile(""));
    EXPECT_FALSE(command.CreateEmptyFile(dir / ("missing\\" + Hyou)));
    EXPECT_FALSE(command.MakeDirectory(dir / ("missing\\" + Hyou)));
    EXPECT_EQ(asks.reports, (std::vector<int>{1014, 1015, 1014}));
}

TEST(LocalCommand, EmptyAndRefusedListsTouchNothing) {
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    EXPECT_FALSE(command.Copy({}, "C:\\"));
    EXPECT_FALSE(command.Move({}, "C:\\"));
    EXPECT_TRUE(command.Delete({}, true));
    EXPECT_FALSE(command.Delete({"|host/a"}, false));
    EXPECT_FALSE(command.Delete({"\\\\server\\share"}, false));
}

TEST(LocalCommand, ArchivePathsAreRefusedWithMessage1001AndChangeNothing) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou, "data"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    const std::string inArchive = dir / "x.lzh>inner";
    EXPECT_TRUE(command.Copy({dir / Hyou}, inArchive));
    EXPECT_TRUE(command.Move({dir / Hyou}, inArchive));
    EXPECT_TRUE(command.Move({inArchive}, dir.path()));
    EXPECT_TRUE(command.Delete({inArchive}, false));
    EXPECT_TRUE(command.Rename(dir / Hyou, inArchive));
    EXPECT_TRUE(command.MakeDirectory(inArchive));
    EXPECT_TRUE(command.CreateEmptyFile(inArchive));
    EXPECT_EQ(asks.numbers, std::vector<int>(7, 1001));
    EXPECT_EQ(readWholeFile(dir / Hyou), "data");
}

TEST(LocalCommand, CopyOutOfAnArchiveAsksFirst) {
    ScratchDirectory dir;
    AskRecorder asks;
    int extracted = 0;
    LocalCommandHooks hooks = asks.hooks();
    hooks.extract = [&](const std::vector<std::string>& sources, const std::string&) {
        ++extracted;
        return static_cast<int>(sources.size());
    };
    CLocalCommand command(nullptr, hooks);
    const std::vector<std::string> sources{"C:\\x.lzh>a", "C:\\x.lzh>b"};
    asks.answer = IDNO;
    EXPECT_TRUE(command.Copy(sources, dir.path()));
    EXPECT_EQ(extracted, 0);
    asks.answer = IDYES;
    EXPECT_TRUE(command.Copy(sources, dir.path()));
    EXPECT_EQ(extracted, 1);
    EXPECT_EQ(asks.numbers, (std::vector<int>{1002, 1002}));
}

namespace {
// Records the calls the base class makes.
class RecordingCommand : public CCommand {
public:
    RecordingCommand() : CCommand(nullptr) {}
    std::string calls;
    bool Copy(const std::vector<std::string>&, const std::string&) override { return calls += "C", true; }
    bool Move(const std::vector<std::string>&, const std::string&) override { return calls += "M", true; }
    bool Delete(const std::vector<std::string>&, bool) override { return false; }
    bool Rename(const std::string&, const std::string&) override { return false; }
    bool MakeDirectory(const std::string&) override { return false; }
    bool CreateEmptyFile(const std::string&) override { return false; }
    bool Execute(const std::string&, const std::string&) override { return false; }
    bool Open(const std::string&, const std::string&, int) override { return false; }
};
}  // namespace

TEST(LocalCommand, PasteFollowsThePendingEffect) {
    RecordingCommand command;
    EXPECT_STREQ(command.GetCommandName(), "CCommand");
    EXPECT_FALSE(command.PasteFromClipboard({"a"}, "b"));
    command.SetEffectFromDropEffect(2);
    EXPECT_TRUE(command.PasteFromClipboard({"a"}, "b"));
    command.SetEffectFromDropEffect(3);
    EXPECT_TRUE(command.PasteFromClipboard({"a"}, "b"));
    command.SetEffectFromDropEffect(4);
    EXPECT_FALSE(command.PasteFromClipboard({"a"}, "b"));
    EXPECT_EQ(command.calls, "MC");
}

TEST(LocalCommand, MoveIntoItsOwnDirectoryKeepsTheFile) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou, "only copy"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    {
        ConfirmationAnswerer answerer(Yes);
        EXPECT_FALSE(command.Move({dir / Hyou}, dir.path()));
        EXPECT_FALSE(command.Move({dir / Hyou}, dir / Hyou));
    }
    EXPECT_EQ(asks.reports, (std::vector<int>{1019, 1019}));
    EXPECT_EQ(readWholeFile(dir / Hyou), "only copy");
}

TEST(LocalCommand, SeveralFilesMoveIntoADirectory) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou, "one"));
    ASSERT_TRUE(dir.writeFile(So, "two"));
    ASSERT_TRUE(dir.makeDirectory(Nihongo));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    EXPECT_TRUE(command.Move({dir / Hyou, dir / So}, dir / Nihongo));
    EXPECT_EQ(readWholeFile(dir / (Nihongo + "\\" + Hyou)), "one");
    EXPECT_EQ(readWholeFile(dir / (Nihongo + "\\" + So)), "two");
    EXPECT_FALSE(fileExists(dir / Hyou));
    EXPECT_FALSE(fileExists(dir / So));
}

TEST(LocalCommand, MoveOfSeveralWithOneOverwriteRefusedKeepsThatSource) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou, "moving"));
    ASSERT_TRUE(dir.writeFile("free", "free"));
    ASSERT_TRUE(dir.makeDirectory(Nihongo));
    ASSERT_TRUE(dir.writeFile(Nihongo + "\\" + Hyou, "standing"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    bool moved;
    {
        ConfirmationAnswerer answerer(No);
        moved = command.Move({dir / Hyou, dir / "free"}, dir / Nihongo);
    }
    // Whatever the shell reports, no file is in neither place; a "No" is no failure to tell.
    EXPECT_FALSE(moved);
    EXPECT_TRUE(asks.reports.empty());
    EXPECT_EQ(readWholeFile(dir / Hyou), "moving");
    EXPECT_EQ(readWholeFile(dir / (Nihongo + "\\" + Hyou)), "standing");
    // The other file moved, or stayed as well when the shell ended the copy.
    EXPECT_EQ(readWholeFile(fileExists(dir / "free") ? dir / "free" : dir / (Nihongo + "\\free")),
              "free");
}

TEST(LocalCommand, MoveOntoItselfUnderAnotherSpellingKeepsTheFile) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou, "only copy"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    {
        ConfirmationAnswerer answerer(Yes);
        EXPECT_FALSE(command.Move({dir / Hyou}, dir / "."));
        EXPECT_FALSE(command.Move({dir / Hyou}, dir.path() + "\\sub\\..\\"));
    }
    EXPECT_EQ(asks.reports, (std::vector<int>{1019, 1019}));
    EXPECT_EQ(readWholeFile(dir / Hyou), "only copy");
}

TEST(LocalCommand, DirectoriesMovedToANewNameStaySeparate) {
    ScratchDirectory dir;
    for (const char* name : {"A", "B"}) {
        ASSERT_TRUE(dir.makeDirectory(name));
        ASSERT_TRUE(dir.writeFile(std::string(name) + "\\readme.txt", name));
    }
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    EXPECT_TRUE(command.Move({dir / "A", dir / "B"}, dir / "merged"));
    // Both files kept: neither replaced the other inside the new directory.
    EXPECT_EQ(readWholeFile(dir / "merged\\A\\readme.txt"), "A");
    EXPECT_EQ(readWholeFile(dir / "merged\\B\\readme.txt"), "B");
    EXPECT_FALSE(isDir(dir / "A"));
}

// Each failure is told exactly once with the system's reason; what the user
// typed is done as meant or refused before anything is touched.
TEST(LocalCommand, DestinationsAndFailuresAsTheUserMeantThem) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou, "data"));
    ASSERT_TRUE(dir.writeFile(So, "other"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());

    // A destination ending in "\\" is a directory, made when missing.
    EXPECT_TRUE(command.Copy({dir / Hyou}, dir / "newdest\\"));
    EXPECT_EQ(readWholeFile(dir / ("newdest\\" + Hyou)), "data");
    EXPECT_TRUE(command.Move({dir / So}, dir / (Nihongo + "\\sub\\")));
    EXPECT_EQ(readWholeFile(dir / (Nihongo + "\\sub\\" + So)), "other");
    EXPECT_TRUE(asks.reports.empty());

    struct Case {
        const char* what;
        std::function<bool()> run;
        int message;
    } cases[] = {
        {"unreachable directory", [&] { return command.Copy({dir / Hyou}, "Q:\\no\\such\\place\\"); }, 1014},
        {"wildcard copy", [&] { return command.Copy({dir / Hyou}, dir / "a?b*c.txt"); }, 1017},
        {"wildcard move", [&] { return command.Move({dir / Hyou}, dir / "*"); }, 1017},
        {"missing program", [&] { return command.Execute(dir / "no-such-program.exe", ""); }, 1016},
        {"missing file to delete", [&] { return command.Delete({dir / "gone.txt"}, false); }, 1012},
        {"existing directory", [&] { return command.MakeDirectory(dir / "newdest"); }, 1014},
    };
    ConfirmationAnswerer answerer(Yes);  // some shells ask before deleting even a missing file
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        asks.reports.clear();
        asks.texts.clear();
        EXPECT_FALSE(c.run());
        ASSERT_EQ(asks.reports, std::vector<int>{c.message});
        // The reason follows the subject, in the system's words.
        if (asks.texts.front().size() > 1) {
            EXPECT_FALSE(asks.texts.front().back().empty());
        }
    }
    EXPECT_EQ(readWholeFile(dir / Hyou), "data");
    WIN32_FIND_DATAA found{};
    EXPECT_FALSE(FindHandle{FindFirstFileA((dir / "a*").c_str(), &found)}) << "nothing made";
}

TEST(LocalCommand, RenameThatOnlyChangesTheCaseIsDone) {
    ScratchDirectory dir;
    const std::string lower = Hyou + ".txt", upper = Hyou + ".TXT";
    ASSERT_TRUE(dir.writeFile(lower, "content"));
    AskRecorder asks;
    CLocalCommand command(nullptr, asks.hooks());
    ASSERT_TRUE(command.Rename(dir / lower, dir / upper));
    WIN32_FIND_DATAA found{};
    FindHandle search{FindFirstFileA((dir / (Hyou + "*")).c_str(), &found)};
    ASSERT_TRUE(search);
    EXPECT_EQ(std::string(found.cFileName), upper);
    EXPECT_FALSE(FindNextFileA(search.get(), &found)) << "one file, not two";
    EXPECT_EQ(readWholeFile(dir / upper), "content");
    EXPECT_TRUE(asks.reports.empty());
}
