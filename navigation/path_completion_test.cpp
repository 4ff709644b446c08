#include "navigation/path_completion.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct FakeDirectories {
    std::map<std::string, std::vector<CompletionCandidate>> dirs;
    std::vector<std::string> reads;

    PathCompletion::Source source() {
        return [this](const std::string& d) {
            reads.push_back(d);
            auto it = dirs.find(d);
            return it == dirs.end() ? std::vector<CompletionCandidate>{} : it->second;
        };
    }
};

FakeDirectories sample() {
    FakeDirectories f;
    f.dirs["C:\\"] = {{"..", true},      {"Program", true}, {"pics", true},
                      {"prog.txt", false}, {"Windows", true}, {"PAGE.SYS", false}};
    f.dirs["C:\\pics\\"] = {{"..", true}, {"p1.jpg", false}};
    return f;
}

}  // namespace

TEST(PathCompletion, StepsThroughDirectoriesForwardAndBackWithWrap) {
    FakeDirectories f = sample();
    PathCompletion c(f.source());
    c.typed("C:\\p");
    EXPECT_EQ(c.complete("C:\\p", CompletionKind::Directories, false), "C:\\Program");
    EXPECT_EQ(c.complete("C:\\Program", CompletionKind::Directories, false), "C:\\pics");
    EXPECT_EQ(c.complete("C:\\pics", CompletionKind::Directories, false), "C:\\Program");
    EXPECT_EQ(c.complete("C:\\Program", CompletionKind::Directories, true), "C:\\pics");
    EXPECT_EQ(c.complete("C:\\pics", CompletionKind::Directories, true), "C:\\Program");
    // Backwards from a fresh start begins at the last entry.
    c.typed("C:\\p");
    EXPECT_EQ(c.complete("C:\\p", CompletionKind::Directories, true), "C:\\pics");
    // The directory was read once for all of it.
    EXPECT_EQ(f.reads, std::vector<std::string>{"C:\\"});
}

TEST(PathCompletion, KindsOfEntriesAndKeys) {
    FakeDirectories f = sample();
    PathCompletion c(f.source());
    c.typed("C:\\p");
    EXPECT_EQ(c.complete("C:\\p", CompletionKind::Files, false), "C:\\prog.txt");
    EXPECT_EQ(c.complete("C:\\prog.txt", CompletionKind::Files, false), "C:\\PAGE.SYS");
    c.typed("C:\\");  // empty name part: everything but ".."
    EXPECT_EQ(c.complete("C:\\", CompletionKind::Both, true), "C:\\PAGE.SYS");
    EXPECT_EQ(c.complete("C:\\PAGE.SYS", CompletionKind::Both, false), "C:\\Program");

    EXPECT_EQ(c.kindFor('d'), CompletionKind::Directories);
    EXPECT_EQ(c.kindFor('F'), CompletionKind::Files);
    EXPECT_EQ(c.kindFor('X'), std::nullopt);
    c.setKeys("k", "K");
    EXPECT_EQ(c.kindFor('K'), CompletionKind::Both);
    EXPECT_EQ(c.kindFor('D'), std::nullopt);
    c.setKeys("1", "");  // not letters: the usual D and F
    EXPECT_EQ(c.kindFor('D'), CompletionKind::Directories);
    EXPECT_EQ(c.kindFor('F'), CompletionKind::Files);
}

TEST(PathCompletion, NeedsADrivePathAndAMatch) {
    FakeDirectories f = sample();
    PathCompletion c(f.source());
    c.typed("pics");
    EXPECT_EQ(c.complete("pics", CompletionKind::Both, false), std::nullopt);
    c.typed("\\\\pc\\p");
    EXPECT_EQ(c.complete("\\\\pc\\p", CompletionKind::Both, false), std::nullopt);
    EXPECT_TRUE(f.reads.empty());
    c.typed("C:\\zz");
    EXPECT_EQ(c.complete("C:\\zz", CompletionKind::Both, false), std::nullopt);
    c.typed("D:\\x");  // unreadable directory
    EXPECT_EQ(c.complete("D:\\x", CompletionKind::Both, false), std::nullopt);
}

TEST(PathCompletion, ANewDirectoryIsReadAndForgetReadsAgain) {
    FakeDirectories f = sample();
    PathCompletion c(f.source());
    c.typed("C:\\pics\\");
    EXPECT_EQ(c.complete("C:\\pics\\", CompletionKind::Files, false), "C:\\pics\\p1.jpg");
    c.typed("C:\\W");
    EXPECT_EQ(c.complete("C:\\W", CompletionKind::Directories, false), "C:\\Windows");
    f.dirs["C:\\"].push_back({"Work", true});
    EXPECT_EQ(c.complete("C:\\Windows", CompletionKind::Directories, false), "C:\\Windows");
    c.forget();
    EXPECT_EQ(c.complete("C:\\Windows", CompletionKind::Directories, false), "C:\\Windows");
    EXPECT_EQ(c.complete("C:\\Windows", CompletionKind::Directories, false), "C:\\Work");
    EXPECT_EQ(f.reads, (std::vector<std::string>{"C:\\pics\\", "C:\\", "C:\\"}));
}
