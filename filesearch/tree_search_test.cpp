#include "filesearch/tree_search.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "filesearch/caller_title.h"
#include "filesearch/result_row.h"

namespace {

struct Node {
    std::string name;
    bool directory = false;
    bool link = false;
};

// Folders by full path; a folder missing from the map cannot be read.
class TreeReader : public FolderReader {
public:
    std::map<std::string, std::vector<Node>> folders;
    std::function<void()> onRead;
    bool read(const std::string& folder,
              const std::function<void(const FolderEntry&)>& visit) override {
        if (onRead) onRead();
        auto it = folders.find(folder);
        if (it == folders.end()) return false;
        visit({".", true});
        for (const Node& n : it->second) visit({n.name, n.directory, n.link, 7, 0});
        return true;
    }
};

std::vector<std::string> found(TreeReader& reader, SearchRequest request,
                               SearchCounts* counts = nullptr) {
    std::atomic<bool> cancel{false};
    std::vector<std::string> paths;
    SearchCounts c = searchTree(request, reader, cancel,
                                [&](SearchHit&& hit) { paths.push_back(hit.path); });
    if (counts) *counts = c;
    return paths;
}

TreeReader sampleTree() {
    TreeReader r;
    // "表" and "ソ" end in the byte 0x5C.
    r.folders["C:\\w"] = {{"a.txt"}, {"B.TXT"}, {"c.cpp"}, {"\x95\x5c", true},
                          {"loop", true, true}, {"locked", true}, {"read me.txt"}};
    r.folders["C:\\w\\\x95\x5c"] = {{"\x83\x5c.txt"}, {"sub", true}, {"x.c"}};
    r.folders["C:\\w\\\x95\x5c\\sub"] = {{"deep.TxT"}};
    r.folders["C:\\w\\loop"] = {{"never.txt"}};
    return r;
}

}  // namespace

TEST(FileSearch, PatternsFoldersAndOrder) {
    struct Case {
        const char* patterns;
        bool subfolders;
        std::vector<std::string> expected;
    } cases[] = {
        {"*.txt", true,
         {"C:\\w\\a.txt", "C:\\w\\B.TXT", "C:\\w\\read me.txt", "C:\\w\\\x95\x5c\\\x83\x5c.txt",
          "C:\\w\\\x95\x5c\\sub\\deep.TxT"}},
        {"*.txt", false, {"C:\\w\\a.txt", "C:\\w\\B.TXT", "C:\\w\\read me.txt"}},
        {" *.c ; *.cpp,", true, {"C:\\w\\c.cpp", "C:\\w\\\x95\x5c\\x.c"}},
        {"", false, {"C:\\w\\a.txt", "C:\\w\\B.TXT", "C:\\w\\c.cpp", "C:\\w\\read me.txt"}},
        {"\x83\x5c*", true, {"C:\\w\\\x95\x5c\\\x83\x5c.txt"}},
        {"read me.txt", true, {"C:\\w\\read me.txt"}},
        {"*.zip", true, {}},
    };
    for (const Case& c : cases) {
        TreeReader reader = sampleTree();
        SearchCounts counts;
        EXPECT_EQ(found(reader, {c.patterns, "C:\\w", c.subfolders}, &counts), c.expected)
            << c.patterns << " " << c.subfolders;
        EXPECT_EQ(counts.found, c.expected.size());
        // The locked folder is counted and passed by; the link is never entered.
        EXPECT_EQ(counts.unreadable, c.subfolders ? 1u : 0u) << c.patterns;
        EXPECT_EQ(counts.folders, c.subfolders ? 3u : 1u) << c.patterns;
    }
}

TEST(FileSearch, CancelStopsBeforeTheNextFolder) {
    TreeReader reader = sampleTree();
    std::atomic<bool> cancel{false};
    int reads = 0;
    reader.onRead = [&] {
        if (++reads == 2) cancel = true;
    };
    std::vector<std::string> paths;
    SearchCounts counts = searchTree({"*", "C:\\w", true}, reader, cancel,
                                     [&](SearchHit&& hit) { paths.push_back(hit.path); });
    EXPECT_TRUE(counts.cancelled);
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(counts.folders, 2u);
}

TEST(FileSearch, CallerTitlesAndRowTexts) {
    struct Case {
        const char* title;
        bool parsed;
        int instance;
        const char* folder;
    } cases[] = {
        {"[Vorbin:0] (*.*) C:\\work", true, 0, "C:\\work"},
        {"[Vorbin:7] (*.txt,*.c) C:\\\x95\x5c\\a b", true, 7, "C:\\\x95\x5c\\a b"},
        {"[Vorbin:1] (*.*) |ftp.example/pub", true, 1, ""},
        {"[Vorbin:2] (*.*) C:\\a.zip>dir/", true, 2, ""},
        {"[Vorbin:] (*.*) C:\\", false, 0, ""},
        {"[Vorbin:3]", false, 0, ""},
        {"Pelko", false, 0, ""},
    };
    for (const Case& c : cases) {
        auto caller = parseCallerTitle(c.title);
        ASSERT_EQ(caller.has_value(), c.parsed) << c.title;
        if (!caller) continue;
        EXPECT_EQ(caller->instance, c.instance) << c.title;
        EXPECT_EQ(caller->folder, c.folder) << c.title;
    }
    EXPECT_EQ(sizeText(0), "0");
    EXPECT_EQ(sizeText(999), "999");
    EXPECT_EQ(sizeText(1000), "1,000");
    EXPECT_EQ(sizeText(1234567), "1,234,567");
    EXPECT_EQ(sizeText(18446744073709551615ull), "18,446,744,073,709,551,615");
    EXPECT_EQ(timeText({2026, 12, 8, 7, 5}), "2026-12-08 07:05");
}
