#include "panes/listing_loader.h"

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

// Search paths answer with their records as FindFirstFileA/FindNextFileA
// would; every call is logged.
class FakeFileSystem : public FileSystem {
public:
    std::map<std::string, std::vector<FileEntry>> listings;  // search path -> records
    std::map<std::string, FileEntry> records;                // exact path -> record
    Names searches;
    Names currentDirectories;

    // A directory with its "." and ".." as the platform lists them.
    void addDirectory(const std::string& path, const std::string& search,
                      std::vector<FileEntry> entries) {
        entries.insert(entries.begin(), {makeEntry(".", AttrDirectory), makeEntry("..", AttrDirectory)});
        listings[search] = std::move(entries);
        records[path] = makeEntry("dir", AttrDirectory);
    }

    bool find(const std::string& searchPath,
              const std::function<void(const FileEntry&)>& each) override {
        searches.push_back(searchPath);
        auto it = listings.find(searchPath);
        if (it == listings.end() || it->second.empty()) return false;
        for (const FileEntry& e : it->second) each(e);
        return true;
    }
    bool findFirst(const std::string& searchPath, FileEntry& first) override {
        searches.push_back(searchPath);
        if (auto r = records.find(searchPath); r != records.end()) {
            first = r->second;
            return true;
        }
        auto it = listings.find(searchPath);
        if (it == listings.end() || it->second.empty()) return false;
        first = it->second.front();
        return true;
    }
    bool setCurrentDirectory(const std::string& path) override {
        currentDirectories.push_back(path);
        return true;
    }
};

class FakeReader : public ListingReader {
public:
    FakeReader(std::string name, Names& log, bool accepts) : name_(std::move(name)), log_(log), accepts_(accepts) {}
    bool read(const std::string& path, FileList& raw) override {
        log_.push_back(name_ + " " + path);
        if (accepts_) raw.append(makeEntry(name_ + "-entry"));
        return accepts_;
    }

private:
    std::string name_;
    Names& log_;
    bool accepts_;
};

Names namesOf(const FileList& list) {
    Names names;
    for (const FileEntry& e : list.entries()) names.emplace_back(e.name());
    return names;
}

ExtTable hidingTable() {
    ExtTable table;
    table.append(ExtRule{"tmp", AttrArchive, 0x123456, 0x123456, "CMD_NONE"});
    table.append(ExtRule{"", AttrHidden, 0, 0, "CMD_NONE"});
    return table;
}

}  // namespace

TEST(ReadDirectory, SkipsDotAndEntriesWhoseColoursHideThem) {
    FakeFileSystem fs;
    FileEntry carried = makeEntry("kept.txt", AttrArchive, 42);
    carried.marked = 1;
    carried.kind = EntryNetShare;
    fs.addDirectory("C:\\work", "C:\\work\\*.*",
                    {carried, makeEntry("scratch.TMP", AttrArchive), makeEntry("cache.tmp", AttrDirectory),
                     makeEntry("secret.txt", AttrHidden | AttrArchive), makeEntry("plain")});
    ExtTable table = hidingTable();
    FileList list;
    list.append(makeEntry("left over"));

    EXPECT_EQ(readDirectory(fs, table, "C:\\work", list), 4);
    EXPECT_EQ(namesOf(list), (Names{"..", "kept.txt", "cache.tmp", "plain"}));
    EXPECT_EQ(list[1].marked, 0);
    EXPECT_EQ(list[1].kind, EntryFile);
    EXPECT_EQ(list[1].size(), 42u);
    EXPECT_EQ(list.markedCount(), 0u);
}

TEST(ReadDirectory, FailureAndEmptyDriveRoot) {
    FakeFileSystem fs;
    ExtTable table;
    FileList list;
    list.append(makeEntry("old"));
    EXPECT_EQ(readDirectory(fs, table, "C:\\missing", list), -1);
    EXPECT_EQ(readDirectory(fs, table, "D:\\", list), 0);
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(fs.searches.back(), "D:\\*.*");
    EXPECT_EQ(readDirectory(fs, table, "\\\\srv\\share", list), -1);
    EXPECT_EQ(fs.searches.back(), "\\\\srv\\share\\*.*");
}

TEST(IsDirectory, ThreeSteps) {
    FakeFileSystem fs;
    fs.records["C:\\dir"] = makeEntry("dir", AttrDirectory);
    fs.records["C:\\file.txt"] = makeEntry("file.txt", AttrArchive);
    fs.listings["\\\\srv\\share\\*.*"] = {makeEntry(".", AttrDirectory)};
    fs.listings["C:\\\x95\x5C\\*.*"] = {makeEntry(".", AttrDirectory)};
    fs.listings["C:\\sub\\*.*"] = {makeEntry(".", AttrDirectory)};

    EXPECT_TRUE(isDirectory(fs, "C:\\dir"));
    EXPECT_FALSE(isDirectory(fs, "C:\\file.txt"));
    EXPECT_TRUE(isDirectory(fs, "\\\\srv\\share"));
    EXPECT_TRUE(isDirectory(fs, "C:\\sub\\"));
    // The trail byte "\" of the last character is not a final separator.
    EXPECT_TRUE(isDirectory(fs, "C:\\\x95\x5C"));
    EXPECT_TRUE(isDirectory(fs, "E:\\"));
    EXPECT_FALSE(isDirectory(fs, "E:\\x"));
    EXPECT_FALSE(isDirectory(fs, "1:\\"));

    fs.searches.clear();
    EXPECT_FALSE(isDirectory(fs, "//WORKGROUP"));
    EXPECT_TRUE(fs.searches.empty());
}

class ListingLoaderTest : public ::testing::Test {
protected:
    FakeFileSystem fs;
    ExtTable table;
    Names log;
    FakeReader network{"network", log, true};
    FakeReader ftp{"ftp", log, true};
    FakeReader archive{"archive", log, true};
    ListingLoader loader{fs, table};
    FileList raw;
    ListingLoader::Result result;

    void SetUp() override {
        loader.setNetworkReader(&network);
        loader.setFtpReader(&ftp);
        loader.setArchiveReader(&archive);
        fs.addDirectory("C:\\work", "C:\\work\\*.*", {makeEntry("a.txt")});
    }
};

TEST_F(ListingLoaderTest, LocalDirectoryIsReadAndBecomesCurrent) {
    ASSERT_TRUE(loader.load("C:\\work", "C:\\", SourceNetwork, raw, result));
    EXPECT_EQ(result.source, SourceLocal);
    EXPECT_EQ(result.path, "C:\\work");
    EXPECT_EQ(namesOf(raw), (Names{"..", "a.txt"}));
    EXPECT_EQ(fs.currentDirectories, (Names{"C:\\work"}));
    EXPECT_TRUE(log.empty());

    // An empty path reads the current one again.
    raw.clear();
    ASSERT_TRUE(loader.load("", "C:\\work", SourceLocal, raw, result));
    EXPECT_EQ(raw.count(), 2u);

    // An empty drive is an empty listing, not a failure.
    ASSERT_TRUE(loader.load("E:\\", "C:\\work", SourceLocal, raw, result));
    EXPECT_EQ(result.source, SourceLocal);
    EXPECT_EQ(raw.count(), 0u);
    EXPECT_TRUE(log.empty());
}

TEST_F(ListingLoaderTest, FtpPathsGoToTheFtpReaderAndRelativeOnesAreResolved) {
    ASSERT_TRUE(loader.load("|host/pub", "C:\\work", SourceLocal, raw, result));
    EXPECT_EQ(result.source, SourceFtp);
    EXPECT_EQ(namesOf(raw), (Names{"ftp-entry"}));

    ASSERT_TRUE(loader.load("sub", "|host/pub", SourceFtp, raw, result));
    EXPECT_EQ(result.path, "|host/pub/sub");
    ASSERT_TRUE(loader.load("sub", "|host/", SourceFtp, raw, result));
    EXPECT_EQ(result.path, "|host/sub");
    ASSERT_TRUE(loader.load("|other/x", "|host/pub", SourceFtp, raw, result));
    EXPECT_EQ(result.path, "|other/x");
    EXPECT_EQ(log, (Names{"ftp |host/pub", "ftp |host/pub/sub", "ftp |host/sub", "ftp |other/x"}));

    // A path inside an archive on the server is an archive listing.
    log.clear();
    ASSERT_TRUE(loader.load("|host/a.zip>doc", "|host/pub", SourceFtp, raw, result));
    EXPECT_EQ(result.source, SourceArchive);
    EXPECT_EQ(log, (Names{"archive |host/a.zip>doc"}));
}

TEST_F(ListingLoaderTest, PathsWithSeparatorsAreNotRelativeToFtp) {
    ASSERT_TRUE(loader.load("C:\\work", "|host/pub", SourceFtp, raw, result));
    EXPECT_EQ(result.source, SourceLocal);
    ASSERT_TRUE(loader.load("//DOMAIN", "|host/pub", SourceFtp, raw, result));
    EXPECT_EQ(result.path, "//DOMAIN");
    EXPECT_EQ(result.source, SourceNetwork);
}

TEST_F(ListingLoaderTest, RelativeArchivePathsJoinTheCurrentFolder) {
    ASSERT_TRUE(loader.load("doc", "C:\\a.zip>src", SourceArchive, raw, result));
    EXPECT_EQ(result.path, "C:\\a.zip>src\\doc");
    EXPECT_EQ(result.source, SourceArchive);
    ASSERT_TRUE(loader.load("doc", "C:\\a.zip>", SourceArchive, raw, result));
    EXPECT_EQ(result.path, "C:\\a.zip>doc");
    ASSERT_TRUE(loader.load("D:\\b.lzh", "C:\\a.zip>", SourceArchive, raw, result));
    EXPECT_EQ(result.path, "D:\\b.lzh");
    // Inside an archive the network is never asked.
    EXPECT_EQ(log, (Names{"archive C:\\a.zip>src\\doc", "archive C:\\a.zip>doc", "archive D:\\b.lzh"}));
}

TEST_F(ListingLoaderTest, FallsBackFromLocalToNetworkToArchive) {
    ASSERT_TRUE(loader.load("\\\\srv", "C:\\work", SourceLocal, raw, result));
    EXPECT_EQ(result.source, SourceNetwork);
    EXPECT_EQ(log, (Names{"network \\\\srv"}));

    FakeReader refusing{"network", log, false};
    loader.setNetworkReader(&refusing);
    log.clear();
    ASSERT_TRUE(loader.load("C:\\work\\a.zip", "C:\\work", SourceLocal, raw, result));
    EXPECT_EQ(result.source, SourceArchive);
    EXPECT_EQ(log, (Names{"network C:\\work\\a.zip", "archive C:\\work\\a.zip"}));
    EXPECT_EQ(namesOf(raw), (Names{"archive-entry"}));
    EXPECT_TRUE(fs.currentDirectories.empty());

    // A path with ">" skips the network.
    log.clear();
    ASSERT_TRUE(loader.load("C:\\work\\a.zip>", "C:\\work", SourceLocal, raw, result));
    EXPECT_EQ(log, (Names{"archive C:\\work\\a.zip>"}));
}

TEST_F(ListingLoaderTest, NothingAcceptsLeavesTheListingAlone) {
    FakeReader refusingNetwork{"network", log, false};
    FakeReader refusingArchive{"archive", log, false};
    FakeReader refusingFtp{"ftp", log, false};
    loader.setNetworkReader(&refusingNetwork);
    loader.setArchiveReader(&refusingArchive);
    loader.setFtpReader(&refusingFtp);
    raw.append(makeEntry("shown"));
    result.path = "before";

    EXPECT_FALSE(loader.load("C:\\nowhere", "C:\\work", SourceLocal, raw, result));
    EXPECT_FALSE(loader.load("|host/gone", "C:\\work", SourceLocal, raw, result));
    EXPECT_EQ(namesOf(raw), (Names{"shown"}));
    EXPECT_EQ(result.path, "before");

    ListingLoader bare(fs, table);
    EXPECT_FALSE(bare.load("\\\\srv", "C:\\work", SourceLocal, raw, result));
    EXPECT_FALSE(bare.load("|host/pub", "C:\\work", SourceLocal, raw, result));
    EXPECT_TRUE(bare.load("C:\\work", "", SourceLocal, raw, result));
}

TEST_F(ListingLoaderTest, LocalMaskFiltersWhileReadingOtherSourcesLeaveItToTheCaller) {
    fs.addDirectory("C:\\m", "C:\\m\\*.*",
                    {makeEntry("a.txt"), makeEntry("b.doc"), makeEntry("sub.doc", AttrDirectory)});
    const MaskFilter mask("!*.doc");
    loader.setLocalMask(&mask);
    ASSERT_TRUE(loader.load("C:\\m", "C:\\", SourceLocal, raw, result));
    EXPECT_TRUE(result.masked);
    EXPECT_EQ(namesOf(raw), (Names{"..", "a.txt", "sub.doc"}));

    ASSERT_TRUE(loader.load("|host/pub", "C:\\m", SourceLocal, raw, result));
    EXPECT_FALSE(result.masked);
    EXPECT_EQ(namesOf(raw), (Names{"ftp-entry"}));
}
