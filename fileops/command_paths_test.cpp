#include "fileops/command_paths.h"

#include <gtest/gtest.h>

#include <set>

namespace {
const std::string Hyou = "\x95\x5c";  // a Shift-JIS character whose trail byte is "\"

std::string remembered(char letter) { return std::string(1, letter) + ":\\remembered"; }
}  // namespace

TEST(DoubleNulList, EachPathEndsWithNulAndOneMoreEndsTheList) {
    std::string list = doubleNulList({"C:\\a.txt", "C:\\" + Hyou});
    EXPECT_EQ(list, std::string("C:\\a.txt\0C:\\" "\x95\x5c" "\0\0", 16));
    EXPECT_EQ(splitDoubleNulList(list), (std::vector<std::string>{"C:\\a.txt", "C:\\" + Hyou}));
}

TEST(DoubleNulList, EmptyListIsASingleNulAndStaysEmpty) {
    std::string list = doubleNulList({});
    EXPECT_EQ(list, std::string(1, '\0'));
    EXPECT_TRUE(splitDoubleNulList(std::string_view(list.c_str(), list.size() + 1)).empty());
}

TEST(DoubleNulList, PathsThatWouldCutTheListAreLeftOut) {
    std::string list = doubleNulList({"a", "", std::string("b\0c", 3), "d"});
    EXPECT_EQ(splitDoubleNulList(list), (std::vector<std::string>{"a", "d"}));
}

TEST(CopyName, FirstDotGetsTheSuffix) {
    EXPECT_EQ(copyNameProposal("a.txt"), "a_Copy.txt");
    EXPECT_EQ(copyNameProposal("a.b.txt"), "a_Copy.b.txt");
    EXPECT_EQ(copyNameProposal("README"), "README_Copy");
    EXPECT_EQ(copyNameProposal(Hyou + ".txt"), Hyou + "_Copy.txt");
}

TEST(CopyName, ProposedOnlyForOneEntry) {
    EXPECT_TRUE(proposesCopyName("a.txt", 0));
    EXPECT_TRUE(proposesCopyName("a.txt", 1));
    EXPECT_FALSE(proposesCopyName("a.txt", 2));
    EXPECT_FALSE(proposesCopyName("..", 0));
}

TEST(Destination, BareDriveUsesTheRememberedDirectoryOfTheUpperCaseLetter) {
    std::set<char> asked;
    auto lookup = [&](char letter) {
        asked.insert(letter);
        return remembered(letter);
    };
    EXPECT_EQ(resolveDestination("d:", "C:\\pane", lookup), "D:\\remembered");
    EXPECT_EQ(resolveDestination("E:", "C:\\pane", lookup), "E:\\remembered");
    EXPECT_EQ(asked, (std::set<char>{'D', 'E'}));
}

TEST(Destination, RelativeNamesJoinThePaneDirectory) {
    EXPECT_EQ(resolveDestination("sub", "C:\\pane", remembered), "C:\\pane\\sub");
    EXPECT_EQ(resolveDestination("a_Copy.txt", "C:\\", remembered), "C:\\a_Copy.txt");
    EXPECT_EQ(resolveDestination(Hyou, "C:\\" + Hyou, remembered), "C:\\" + Hyou + "\\" + Hyou);
    // "d:sub" is neither a bare drive nor a rooted path.
    EXPECT_EQ(resolveDestination("d:sub", "C:\\pane", remembered), "C:\\pane\\d:sub");
}

TEST(Destination, RootedPathsStandAsTyped) {
    EXPECT_EQ(resolveDestination("D:\\x\\y", "C:\\pane", remembered), "D:\\x\\y");
    EXPECT_EQ(resolveDestination("\\top", "C:\\pane", remembered), "\\top");
    EXPECT_EQ(resolveDestination("\\\\server\\share", "C:\\pane", remembered), "\\\\server\\share");
}

TEST(Transfer, NamesBecomeFullPathsAndTheDestinationIsResolved) {
    TransferArguments args = prepareTransfer({"a.txt", Hyou}, "out", false, "C:\\w", remembered);
    EXPECT_EQ(args.sources, (std::vector<std::string>{"C:\\w\\a.txt", "C:\\w\\" + Hyou}));
    EXPECT_EQ(args.destination, "C:\\w\\out");
}

TEST(Transfer, DirectAndFtpDestinationsPassUntouched) {
    TransferArguments drop = prepareTransfer({"Z:\\x\\a"}, "C:\\w", true, "C:\\w", remembered);
    EXPECT_EQ(drop.sources, std::vector<std::string>{"Z:\\x\\a"});
    EXPECT_EQ(drop.destination, "C:\\w");
    TransferArguments ftp = prepareTransfer({"a"}, "|host/dir", false, "C:\\w", remembered);
    EXPECT_EQ(ftp.sources, std::vector<std::string>{"a"});
    EXPECT_EQ(ftp.destination, "|host/dir");
}

TEST(Transfer, ArchiveAndFtpDirectoriesJoinTheirOwnWay) {
    EXPECT_EQ(fullPaths({"a"}, "C:\\x.lzh>"), std::vector<std::string>{"C:\\x.lzh>a"});
    EXPECT_EQ(fullPaths({"a"}, "|host/dir"), std::vector<std::string>{"|host/dir/a"});
    EXPECT_EQ(fullPaths({"\\\\srv\\s\\a"}, "C:\\w"), std::vector<std::string>{"\\\\srv\\s\\a"});
}

TEST(ShellRefusal, FtpAndShallowNetworkPathsAreRefused) {
    EXPECT_TRUE(isShallowNetworkPath("\\\\server"));
    EXPECT_TRUE(isShallowNetworkPath("\\\\server\\share"));
    EXPECT_TRUE(isShallowNetworkPath("//domain"));
    EXPECT_FALSE(isShallowNetworkPath("\\\\server\\share\\file"));
    EXPECT_FALSE(isShallowNetworkPath("C:\\a\\b"));
    // A trail byte "\" is no separator.
    EXPECT_TRUE(isShallowNetworkPath("\\\\server\\" + Hyou + Hyou));
    EXPECT_TRUE(shellRefuses({"|host/a", "C:\\b"}));
    EXPECT_TRUE(shellRefuses({"\\\\server\\share"}));
    EXPECT_FALSE(shellRefuses({"C:\\a", "|host/a"}));
    EXPECT_FALSE(shellRefuses({}));
}

TEST(Platform, KindFromVersion) {
    EXPECT_EQ(platformKind(0, 3, 10), PlatformKind::Win32s);
    EXPECT_EQ(platformKind(1, 4, 0), PlatformKind::Win95);
    EXPECT_EQ(platformKind(1, 4, 1), PlatformKind::Win9x);
    EXPECT_EQ(platformKind(1, 4, 8), PlatformKind::Win9x);
    EXPECT_EQ(platformKind(1, 4, 10), PlatformKind::Win9xLate);
    EXPECT_EQ(platformKind(2, 4, 0), PlatformKind::NT);
    EXPECT_EQ(platformKind(2, 5, 1), PlatformKind::NT5);
    EXPECT_EQ(platformKind(2, 10, 0), PlatformKind::NT);
    EXPECT_EQ(platformKind(7, 1, 0), PlatformKind::Unknown);
}

namespace {
struct FakeDisk {
    std::set<std::string> directories;
    std::set<std::string> files;
    bool canMake = true;
    std::vector<std::string> made;
    PathProbe probe() {
        return {[this](const std::string& p) { return directories.count(p) > 0; },
                [this](const std::string& p) { return files.count(p) > 0; },
                [this](const std::string& p) {
                    if (!canMake) return false;
                    made.push_back(p);
                    directories.insert(p);
                    return true;
                }};
    }
};
}  // namespace

TEST(ShellCopy, DirectoriesToAMissingDestinationGiveTheirContents) {
    FakeDisk disk;
    disk.directories = {"C:\\src", "C:\\root\\"};
    disk.files = {"C:\\f.txt"};
    auto out = prepareShellCopy(PlatformKind::NT, {"C:\\src", "C:\\f.txt", "C:\\root\\"}, "C:\\new",
                                disk.probe());
    EXPECT_EQ(out, (std::vector<std::string>{"C:\\src\\*.*", "C:\\f.txt", "C:\\root\\*.*"}));
    EXPECT_EQ(disk.made, std::vector<std::string>{"C:\\new"});
}

TEST(ShellCopy, ExistingDestinationOrSingleFileOrOtherPlatformsChangeNothing) {
    FakeDisk disk;
    disk.directories = {"C:\\src", "C:\\there"};
    disk.files = {"C:\\f.txt", "C:\\g.txt"};
    const std::vector<std::string> dirs{"C:\\src"};
    EXPECT_EQ(prepareShellCopy(PlatformKind::NT, dirs, "C:\\there", disk.probe()), dirs);
    EXPECT_EQ(prepareShellCopy(PlatformKind::NT, dirs, "C:\\g.txt", disk.probe()), dirs);
    EXPECT_EQ(prepareShellCopy(PlatformKind::NT, {"C:\\f.txt"}, "C:\\new", disk.probe()),
              std::vector<std::string>{"C:\\f.txt"});
    EXPECT_EQ(prepareShellCopy(PlatformKind::NT5, dirs, "C:\\new", disk.probe()), dirs);
    EXPECT_TRUE(disk.made.empty());
}

TEST(ShellCopy, FailedDirectoryCreationLeavesTheSourcesAlone) {
    FakeDisk disk;
    disk.directories = {"C:\\src"};
    disk.canMake = false;
    EXPECT_EQ(prepareShellCopy(PlatformKind::NT, {"C:\\src"}, "C:\\new", disk.probe()),
              std::vector<std::string>{"C:\\src"});
}

TEST(DropEffect, CopyBitWinsThenMoveThenLink) {
    EXPECT_EQ(effectAfterDrop(2, 4), 0);
    EXPECT_EQ(effectAfterDrop(0, 2), 2);
    EXPECT_EQ(effectAfterDrop(0, 1), 1);
    EXPECT_EQ(effectAfterDrop(0, 7), 1);
    EXPECT_EQ(effectAfterDrop(0, 6), 2);
    EXPECT_EQ(effectAfterDrop(2, 0), 2);
}

TEST(Paste, OnlyWholePathsWithoutWildcards) {
    const struct {
        std::string path;
        bool pastable;
    } cases[] = {
        {"C:\\a\\\x95\x5c.txt", true},   // C:\a\表.txt
        {"\\\\srv\\share\\x", true},
        {"C:", false},
        {"C:a.txt", false},                // relative to the drive's directory
        {"a.txt", false},
        {"\\a.txt", false},               // relative to the current drive
        {"|host/a", false},
        {"C:\\*.txt", false},
        {"C:\\a?.txt", false},
        {"C:\\" + std::string(517, 'x'), true},
        {"C:\\" + std::string(518, 'x'), false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(pastablePath(c.path), c.pastable) << c.path;
}
