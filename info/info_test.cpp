#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "info/info_layout.h"
#include "info/info_text.h"
#include "info/update_gate.h"

namespace {
FileEntry entry(const char* name, const char* shortName, uint64_t size, uint32_t attributes = 0) {
    FileEntry e = makeEntry(name, attributes, size, 0);
    std::strncpy(e.cAlternateFileName, shortName, sizeof e.cAlternateFileName - 1);
    return e;
}

class MapProfile : public Profile {
public:
    std::string read(const std::string& s, const std::string& k) override {
        auto it = values.find(s + "/" + k);
        return it == values.end() ? "" : it->second;
    }
    void write(const std::string& s, const std::string& k, const std::string& v) override {
        values[s + "/" + k] = v;
    }
    std::map<std::string, std::string> values;
};
}  // namespace

TEST(InfoText, GroupedNumbers) {
    const std::pair<uint64_t, const char*> cases[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {1234567, "1,234,567"},
        {100000, "100,000"}, {4294967296ull, "4,294,967,296"},
        {18446744073709551615ull, "18,446,744,073,709,551,615"},
    };
    for (auto [value, text] : cases) EXPECT_EQ(groupedNumber(value), text) << value;
}

TEST(InfoText, ClockAndPathKinds) {
    EXPECT_EQ(clockText({2026, 12, 8, 6, 5, 4}), "26-12-08 06:05:04");
    EXPECT_EQ(clockText({2000, 1, 1, 0, 0, 0}), "00-01-01 00:00:00");
    EXPECT_EQ(clockText({}), "00-00-00 00:00:00");

    const std::pair<const char*, InfoPathKind> kinds[] = {
        {"|ftp.example.org/pub", InfoPathKind::Ftp},
        {"\\\\pc", InfoPathKind::NetworkLevel},
        {"\\\\pc\\share", InfoPathKind::NetworkLevel},
        {"\\\\pc\\share\\dir", InfoPathKind::Local},
        {"//", InfoPathKind::NetworkLevel},
        {"//WORKGROUP", InfoPathKind::NetworkLevel},
        {"C:\\a.zip>sub\\x.txt", InfoPathKind::InArchive},
        {"C:\\\x95\x5c\\\x83\x5c.txt", InfoPathKind::Local},  // 0x5C trail bytes
        {"", InfoPathKind::Local},
    };
    for (auto [path, kind] : kinds) EXPECT_EQ(infoPathKind(path), kind) << path;
}

TEST(InfoText, EntryAndDashTexts) {
    InfoListing local{0x2A05F200u, 1, "", {120, 3, 17}};  // 5,000,000,000 bytes free
    InfoTexts t = entryTexts(entry("LongName.text", "LONGNA~1.TEX", 1234567), {2024, 2, 29, 23, 59, 58},
                             local);
    EXPECT_EQ(t.altName, "Dos FileName : LONGNA~1.TEX");
    EXPECT_EQ(t.fileName, "FileName : LongName.text");
    EXPECT_EQ(t.writeTime, "Time : 24-02-29 23:59:58");
    EXPECT_EQ(t.size, "Size : 1,234,567");
    EXPECT_EQ(t.disk, "Disk : 5,000,000,000");
    EXPECT_EQ(t.files, "File : 3/120(17)");

    InfoListing ftp{0, DiskFtpOriginal, "anna", {5, 0, 2}};
    t = entryTexts(entry("a b.txt", "", 999), {}, ftp);
    EXPECT_EQ(t.altName, "User Name : anna");
    EXPECT_EQ(t.disk, "Disk : FTP Original");
    EXPECT_EQ(t.size, "Size : 999");
    ftp.diskHigh = DiskFtpCache;
    EXPECT_EQ(entryTexts(entry("x", "", 0), {}, ftp).disk, "Disk : FTP Cache");

    InfoTexts d = dashTexts("\\\\pc\\share", local);
    EXPECT_EQ(d.altName, "Dos FileName : --------");
    EXPECT_EQ(d.fileName, "FileName : \\\\pc\\share");
    EXPECT_EQ(d.writeTime, "Time : -------- --:--:--");
    EXPECT_EQ(d.size, "Size : --------");
    EXPECT_EQ(d.disk, "Disk : --------");
    EXPECT_EQ(d.files, "File : 3/120     ");
    EXPECT_EQ(memoryText(2147483648ull), "Mem  : 2,147,483,648");
}

TEST(InfoText, DimmedColours) {
    EXPECT_EQ(dimmedColour(0xFFFFFF, 0x000000), 0x7F7F7Fu);
    EXPECT_EQ(dimmedColour(0x000000, 0xFFFFFF), 0x7F7F7Fu);
    EXPECT_EQ(dimmedColour(0x10FF20, 0x20F010), 0x080708u);
}

TEST(InfoLayout, LoadRules) {
    MapProfile p;
    InfoLayout saved;
    saved.height = 90;
    for (int i = 0; i < InfoControlCount; ++i) saved.controls[i] = {i, 2 * i, i + 50, 2 * i + 12};
    saveInfoLayout(p, saved);
    EXPECT_EQ(p.values["WINDOW/InfoviewHigh"], "90");
    EXPECT_EQ(p.values["WINDOW/StcFileName"], "6,12,50,12");

    InfoLayout loaded;
    ASSERT_TRUE(loadInfoLayout(p, loaded));
    EXPECT_EQ(loaded.height, saved.height);
    EXPECT_EQ(loaded.controls, saved.controls);

    // A height of 10 or less keeps the template's.
    for (const char* h : {"8", "10", "", "x"}) {
        p.values["WINDOW/InfoviewHigh"] = h;
        InfoLayout l;
        l.height = 97;
        EXPECT_TRUE(loadInfoLayout(p, l));
        EXPECT_EQ(l.height, 97) << h;
    }
    // One control key missing or empty fails the whole load.
    for (const char* gone : {"BtnAttr", "StcLastWriteTime", "IcoFile"}) {
        MapProfile q = p;
        q.values.erase(std::string("WINDOW/") + gone);
        InfoLayout l;
        EXPECT_FALSE(loadInfoLayout(q, l)) << gone;
        q.values[std::string("WINDOW/") + gone] = "";
        EXPECT_FALSE(loadInfoLayout(q, l)) << gone;
    }
}

TEST(UpdateGate, BurstShowsOnlyTheLastTwo) {
    struct Case {
        int queued;
        int applied;
    };
    for (Case c : {Case{1, 1}, Case{2, 2}, Case{3, 2}, Case{50, 2}}) {
        UpdateGate gate;
        gate.setState(InfoRunning);
        for (int i = 0; i < c.queued; ++i) gate.posted();
        int applied = 0, firstApplied = -1;
        for (int i = 0; i < c.queued; ++i)
            if (gate.arrive()) {
                EXPECT_EQ(gate.state(), InfoApplying);
                if (firstApplied < 0) firstApplied = i;
                ++applied;
                gate.finished();
            }
        EXPECT_EQ(applied, c.applied) << c.queued;
        EXPECT_EQ(firstApplied, c.queued - c.applied) << c.queued;
        EXPECT_EQ(gate.state(), InfoRunning);
    }
}

TEST(UpdateGate, StopWaitsForPendingAndBusy) {
    UpdateGate gate;
    gate.setState(InfoRunning);
    gate.posted();
    EXPECT_FALSE(gate.stopRequested());  // one queued
    EXPECT_EQ(gate.state(), InfoStopping);
    EXPECT_FALSE(gate.arrive());  // no update is applied once stopping
    EXPECT_TRUE(gate.stopRequested());

    UpdateGate busy;
    busy.posted();
    ASSERT_TRUE(busy.arrive());  // created counts as running
    EXPECT_FALSE(busy.stopRequested());
    busy.finished();
    EXPECT_EQ(busy.state(), InfoStopping);
    EXPECT_TRUE(busy.stopRequested());
}

TEST(InfoText, IconKinds) {
    struct Case {
        const char* path;
        bool directory;
        const char* kind;
    };
    const Case cases[] = {
        {"C:\\work\\a.txt", false, ".TXT"},
        {"C:\\work\\B.Txt", false, ".TXT"},
        {"C:\\work\\noext", false, "."},
        {"C:\\work\\.profile", false, "."},
        {"C:\\work\\tool.exe", false, ""},
        {"C:\\work\\x.LNK", false, ""},
        {"C:\\work\\sub", true, "<dir>"},
        {"C:\\", true, ""},
        {"\\\\pc\\share\\a.txt", false, ""},
        {"C:\\\x95\x5c.dir\\a.doc", false, ".DOC"},  // 0x5C trail byte in a folder
        {"C:\\work\\a.\x95\x5c", false, ""},          // double-byte extension
        {"C:\\a.b\\file", false, "."},
    };
    for (const Case& c : cases) EXPECT_EQ(iconKindOf(c.path, c.directory), c.kind) << c.path;
}
