#include "panes/network_listing.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "panes/line_format.h"

namespace {

class FakeNetwork : public NetworkResources {
public:
    std::map<std::string, std::vector<NetResource>> containers;
    std::vector<std::string> opened;
    int delivered = 0;

    bool enumerate(const std::string& container,
                   const std::function<bool(const NetResource&)>& each) override {
        opened.push_back(container);
        auto it = containers.find(container);
        if (it == containers.end()) return false;
        for (const NetResource& r : it->second) {
            ++delivered;
            if (!each(r)) break;
        }
        return true;
    }
};

FakeNetwork sampleNetwork() {
    FakeNetwork net;
    net.containers[""] = {{"WORKGROUP", ""}, {"OFFICE", "main office"}};
    net.containers["OFFICE"] = {{"\\\\ALPHA", "file server"}, {"\\\\BETA.OLD", "retired"}};
    // The comment is cut before a double-byte character that would not fit in 13 bytes.
    net.containers["\\\\ALPHA"] = {{"\\\\ALPHA\\docs", "123456789012\x95\x5cX"},
                                   {"\\\\ALPHA\\print$", "printer drivers"}};
    net.containers["WORKGROUP"] = {};
    return net;
}

std::vector<std::string> names(const FileList& list) {
    std::vector<std::string> out;
    for (const FileEntry& e : list.entries()) out.emplace_back(e.name());
    return out;
}

}  // namespace

TEST(NetworkListing, PathForms) {
    EXPECT_TRUE(isNetworkForm("//"));
    EXPECT_TRUE(isNetworkForm("//OFFICE"));
    EXPECT_TRUE(isNetworkForm("\\\\ALPHA"));
    EXPECT_FALSE(isNetworkForm("\\\\ALPHA\\docs"));
    EXPECT_TRUE(isNetworkForm("\\\\ALPHA\\docs", true));
    EXPECT_FALSE(isNetworkForm("\\\\ALPHA\\docs\\sub", true));
    EXPECT_FALSE(isNetworkForm("C:\\"));
    EXPECT_FALSE(isNetworkForm("|ftp.example/pub"));
    EXPECT_FALSE(isNetworkForm("/root"));
    // A trail byte of "\" in a computer name is no separator.
    EXPECT_TRUE(isNetworkForm("\\\\\x95\x5c\x95\x5c"));

    EXPECT_EQ(networkContainer("//"), "");
    EXPECT_EQ(networkContainer("//OFFICE"), "OFFICE");
    EXPECT_EQ(networkContainer("\\\\ALPHA"), "\\\\ALPHA");
    EXPECT_EQ(networkEntryKind(""), EntryNetDomain);
    EXPECT_EQ(networkEntryKind("OFFICE"), EntryNetComputer);
    EXPECT_EQ(networkEntryKind("\\\\ALPHA"), EntryNetShare);

    EXPECT_EQ(networkParent("//OFFICE"), "//");
    EXPECT_EQ(networkParent("//"), "//");
    EXPECT_EQ(networkParent("\\\\ALPHA"), "//");
    EXPECT_EQ(networkParent("\\\\ALPHA\\docs"), std::nullopt);
}

TEST(NetworkListing, DomainsComputersAndSharesBecomeEntries) {
    FakeNetwork net = sampleNetwork();
    ExtTable table;
    FileList list;

    ASSERT_EQ(enumerateNetwork(net, table, "//", list, true), 2);
    EXPECT_EQ(names(list), (std::vector<std::string>{"WORKGROUP", "OFFICE"}));
    EXPECT_EQ(list[1].kind, EntryNetDomain);
    EXPECT_STREQ(list[1].cAlternateFileName, "main office");
    EXPECT_EQ(sizeField(list[1]), "   <Domain>");
    EXPECT_EQ(dateField(list[1], LocalTime{}), std::string(DateFieldWidth, ' '));

    ASSERT_EQ(enumerateNetwork(net, table, "//OFFICE", list, true), 2);
    EXPECT_EQ(names(list), (std::vector<std::string>{"\\\\ALPHA", "\\\\BETA.OLD"}));
    EXPECT_EQ(list[0].kind, EntryNetComputer);

    ASSERT_EQ(enumerateNetwork(net, table, "\\\\ALPHA", list, true), 2);
    EXPECT_EQ(names(list), (std::vector<std::string>{"\\\\ALPHA\\docs", "\\\\ALPHA\\print$"}));
    EXPECT_EQ(list[0].kind, EntryNetShare);
    EXPECT_STREQ(list[0].cAlternateFileName, "123456789012");
    EXPECT_STREQ(list[1].cAlternateFileName, "printer drive");
    EXPECT_EQ(sizeField(list[1]), "  <NetPath>");
    for (const FileEntry& e : list.entries()) {
        EXPECT_EQ(e.dwFileAttributes, 0u);
        EXPECT_EQ(e.size(), 0u);
        EXPECT_EQ(e.ftLastWriteTime.value(), 0u);
        EXPECT_EQ(e.marked, 0);
    }
    EXPECT_EQ(net.opened, (std::vector<std::string>{"", "OFFICE", "\\\\ALPHA"}));
}

TEST(NetworkListing, HiddenColoursCountButAreLeftOut) {
    FakeNetwork net = sampleNetwork();
    ExtTable table;
    table.parse("ffffff,0,\"\",0,\"\"\nffffff,0,\"\",0,\"\"\n808080,808080,\"OLD\",0,\"\"\n");
    FileList list;
    EXPECT_EQ(enumerateNetwork(net, table, "//OFFICE", list, true), 2);
    EXPECT_EQ(names(list), std::vector<std::string>{"\\\\ALPHA"});
}

TEST(NetworkListing, ExistenceTestReadsOneAndFailuresAreReported) {
    FakeNetwork net = sampleNetwork();
    ExtTable table;
    FileList list;
    EXPECT_EQ(enumerateNetwork(net, table, "//", list, false), 1);
    EXPECT_EQ(net.delivered, 1);
    EXPECT_EQ(list.count(), 1u);

    list.append(makeEntry("stale"));
    EXPECT_EQ(enumerateNetwork(net, table, "//NOWHERE", list, true), -1);
    EXPECT_EQ(list.count(), 0u);

    EXPECT_TRUE(isNetworkContainer(net, table, "//OFFICE"));
    EXPECT_FALSE(isNetworkContainer(net, table, "//WORKGROUP"));  // opens, but empty
    EXPECT_FALSE(isNetworkContainer(net, table, "//NOWHERE"));
    EXPECT_FALSE(isNetworkContainer(net, table, "C:\\"));
}

TEST(NetworkListing, ReaderAcceptsOnlyNetworkFormsThatOpen) {
    FakeNetwork net = sampleNetwork();
    ExtTable table;
    NetworkListingReader reader(net, table);
    FileList raw;
    EXPECT_TRUE(reader.read("//WORKGROUP", raw));  // an empty network is a listing too
    EXPECT_EQ(raw.count(), 0u);
    EXPECT_TRUE(reader.read("\\\\ALPHA", raw));
    EXPECT_EQ(raw.count(), 2u);
    EXPECT_FALSE(reader.read("\\\\ALPHA\\docs", raw));
    EXPECT_FALSE(reader.read("//NOWHERE", raw));
    EXPECT_FALSE(reader.read("D:\\work", raw));
    EXPECT_EQ(net.opened, (std::vector<std::string>{"WORKGROUP", "\\\\ALPHA", "NOWHERE"}));
}
