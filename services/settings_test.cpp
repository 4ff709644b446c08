#include "services/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace {

class FakeProfile : public Profile {
public:
    std::string read(const std::string& section, const std::string& key) override {
        auto it = values.find({section, key});
        return it == values.end() ? std::string() : it->second;
    }
    void write(const std::string& section, const std::string& key,
               const std::string& value) override {
        values[{section, key}] = value;
        writes.push_back(section + "/" + key);
    }
    void set(const std::string& section, const std::string& key, const std::string& value) {
        values[{section, key}] = value;
    }
    std::string at(const std::string& section, const std::string& key) const {
        auto it = values.find({section, key});
        return it == values.end() ? std::string("<absent>") : it->second;
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::string> writes;
};

const std::string ProgramDir = "C:\\Tools\\Vorbin\\";

class SettingsTest : public ::testing::Test {
protected:
    Settings loaded() {
        Settings s(profile, ProgramDir);
        s.Load();
        return s;
    }
    FakeProfile profile;
};

TEST_F(SettingsTest, EmptyFileGivesTheLoadDefaults) {
    Settings s = loaded();
    EXPECT_EQ(s.FontHigh, 14);
    EXPECT_EQ(s.FontWide, 7);
    EXPECT_EQ(s.FontName, "");
    EXPECT_EQ(s.FileNameLength, 30);
    EXPECT_EQ(s.ExtLength, 4);
    EXPECT_EQ(s.DateTimeOut, 0);
    EXPECT_EQ(s.TimeOut, 0);
    EXPECT_EQ(s.AutoOut, 0);
    EXPECT_EQ(s.TodayColor, 0);
    EXPECT_EQ(s.InfoWindow, 0);
    EXPECT_EQ(s.DirFindKey, 0);
    EXPECT_EQ(s.FileFindKey, 0);
    EXPECT_EQ(s.Sort.fileName.priority, 0);
    EXPECT_EQ(s.Sort.attribute.priority, 0);
    EXPECT_FALSE(s.Sort.time.on);
    EXPECT_FALSE(s.Sort.tagFile);
    EXPECT_EQ(s.Editor, "");
    EXPECT_EQ(s.LastPath, "");
    EXPECT_EQ(s.FtpWork, ProgramDir + "TEMP");
    EXPECT_TRUE(profile.writes.empty());
}

TEST_F(SettingsTest, ZeroFontDimensionResetsBoth) {
    profile.set("WINDOW", "FontHigh", "0");
    profile.set("WINDOW", "FontWide", "20");
    Settings s = loaded();
    EXPECT_EQ(s.FontHigh, 14);
    EXPECT_EQ(s.FontWide, 7);

    profile.set("WINDOW", "FontHigh", "24");
    profile.set("WINDOW", "FontWide", "0");
    s.Load();
    EXPECT_EQ(s.FontHigh, 14);
    EXPECT_EQ(s.FontWide, 7);

    profile.set("WINDOW", "FontWide", "9");
    s.Load();
    EXPECT_EQ(s.FontHigh, 24);
    EXPECT_EQ(s.FontWide, 9);
}

TEST_F(SettingsTest, ZeroColumnWidthsTakeTheirOwnDefaults) {
    profile.set("WINDOW", "FileNameLength", "0");
    profile.set("WINDOW", "ExtLength", "0");
    Settings s = loaded();
    EXPECT_EQ(s.FileNameLength, 30);
    EXPECT_EQ(s.ExtLength, 4);

    profile.set("WINDOW", "FileNameLength", "12");
    profile.set("WINDOW", "ExtLength", "3");
    s.Load();
    EXPECT_EQ(s.FileNameLength, 12);
    EXPECT_EQ(s.ExtLength, 3);
}

TEST_F(SettingsTest, SecondInstanceReadsItsOwnKeysWithPlainFallback) {
    profile.set("WINDOW", "FontWide", "8");
    profile.set("WINDOW", "FontHigh", "16");
    profile.set("WINDOW", "FontWide_1", "10");
    profile.set("WINDOW", "FontName", "MS Gothic");
    profile.set("WINDOW", "FileNameLength_1", "40");
    profile.set("WINDOW", "DateTimeOut", "1");  // only the instance key counts
    profile.set("WINDOW", "TimeOut_1", "1");
    profile.set("WINDOW", "TodayColor", "1");  // falls back to the plain key
    profile.set("WINDOW", "DirFindKey", "71");
    profile.set("WINDOW", "DirFindKey_1", "72");  // never per instance
    profile.set("PATH", "LastPath", "C:\\zero");
    profile.set("PATH", "LastPath_1", "C:\\one");

    Settings s(profile, ProgramDir);
    s.InstanceNumber = 1;
    s.Load();
    EXPECT_EQ(s.FontWide, 10);
    EXPECT_EQ(s.FontHigh, 16);
    EXPECT_EQ(s.FontName, "MS Gothic");
    EXPECT_EQ(s.FileNameLength, 40);
    EXPECT_EQ(s.DateTimeOut, 0);
    EXPECT_EQ(s.TimeOut, 1);
    EXPECT_EQ(s.TodayColor, 1);
    EXPECT_EQ(s.DirFindKey, 'G');
    EXPECT_EQ(s.LastPath, "C:\\one");

    profile.set("WINDOW", "FontName_1", "Terminal");
    s.Load();
    EXPECT_EQ(s.FontName, "Terminal");

    EXPECT_EQ(s.InstanceKey("FontWide"), "FontWide_1");
    EXPECT_EQ(Settings::InstanceKey("FontWide", 0), "FontWide");
    EXPECT_EQ(Settings::InstanceKey("LastPath", 7), "LastPath_7");
    EXPECT_EQ(Settings::InstanceKey("LastPath", -1), "LastPath_-1");
}

TEST_F(SettingsTest, ReadIntTakesTheLeadingDecimalInteger) {
    Settings s(profile, ProgramDir);
    profile.set("S", "a", "  -12abc");
    profile.set("S", "b", "+7");
    profile.set("S", "c", "abc");
    profile.set("S", "d", "0x1F");
    profile.set("S", "e", "99999999999");
    profile.set("S", "f", "-99999999999");
    EXPECT_EQ(s.ReadInt("S", "a", 5), -12);
    EXPECT_EQ(s.ReadInt("S", "b", 5), 7);
    EXPECT_EQ(s.ReadInt("S", "c", 5), 0);
    EXPECT_EQ(s.ReadInt("S", "d", 5), 0);
    EXPECT_EQ(s.ReadInt("S", "absent", 5), 5);
    EXPECT_EQ(s.ReadInt("S", "e", 5), 2147483647);
    EXPECT_EQ(s.ReadInt("S", "f", 5), -2147483647 - 1);
    EXPECT_EQ(leadingInt(" \t42,1"), 42);
    EXPECT_EQ(leadingInt("-"), 0);
}

TEST_F(SettingsTest, LoadCutsAndNarrowsValues) {
    profile.set("WINDOW", "DirFindKey", "324");  // 0x144: low byte 'D'
    profile.set("WINDOW", "FileFindKey", "-1");
    // 98 letters, then a double-byte character that would straddle byte 99.
    profile.set("WINDOW", "FontName", std::string(98, 'A') + "\x82\xA0" + "tail");
    profile.set("PATH", "Editor", std::string(1200, 'e'));
    Settings s = loaded();
    EXPECT_EQ(s.DirFindKey, 'D');
    EXPECT_EQ(s.FileFindKey, '\xFF');
    EXPECT_EQ(s.FontName, std::string(98, 'A'));
    EXPECT_EQ(s.Editor.size(), 999u);

    profile.set("WINDOW", "FontName", std::string(150, 'B'));
    s.Load();
    EXPECT_EQ(s.FontName, std::string(99, 'B'));
}

TEST_F(SettingsTest, SortItemsSplitIntoPriorityDownAndOn) {
    profile.set("SORT", "FileName", "5,1,1");
    profile.set("SORT", "Extention", "3");
    profile.set("SORT", "Time", "-2,0,7");
    profile.set("SORT", "Attribute", ",1");
    profile.set("SORT", "TagFile", "1");
    Settings s = loaded();
    EXPECT_EQ(s.Sort.fileName.priority, 5);
    EXPECT_TRUE(s.Sort.fileName.down);
    EXPECT_TRUE(s.Sort.fileName.on);
    EXPECT_EQ(s.Sort.extension.priority, 3);
    EXPECT_FALSE(s.Sort.extension.down);
    EXPECT_FALSE(s.Sort.extension.on);
    EXPECT_EQ(s.Sort.time.priority, -2);
    EXPECT_FALSE(s.Sort.time.down);
    EXPECT_TRUE(s.Sort.time.on);
    EXPECT_EQ(s.Sort.attribute.priority, 0);
    EXPECT_TRUE(s.Sort.attribute.down);
    EXPECT_EQ(s.Sort.size.priority, 0);
    EXPECT_TRUE(s.Sort.tagFile);
}

TEST_F(SettingsTest, PathGroupRules) {
    profile.set("PATH", "LastPath", "//WORKGROUP");
    profile.set("PATH", "FtpWork", "FTP");
    profile.set("PATH", "FtpSaveCache", "30");
    profile.set("PATH", "FtpTime", "2");
    Settings s = loaded();
    EXPECT_EQ(s.LastPath, "");
    EXPECT_EQ(s.FtpWork, ProgramDir + "TEMP");
    EXPECT_EQ(s.FtpSaveCache, 30);
    EXPECT_EQ(s.FtpTime, 1);
    EXPECT_EQ(s.FtpSaveTemp, 0);

    profile.set("PATH", "LastPath", "\\\\server\\share");
    profile.set("PATH", "FtpWork", "D:\\work");
    s.Load();
    EXPECT_EQ(s.LastPath, "\\\\server\\share");
    EXPECT_EQ(s.FtpWork, "D:\\work");

    for (const char* notDrive : {"D:", "D:/work", "\\\\server\\share", "D\\:x"}) {
        profile.set("PATH", "FtpWork", notDrive);
        s.Load();
        EXPECT_EQ(s.FtpWork, ProgramDir + "TEMP") << notDrive;
    }
}

TEST_F(SettingsTest, SaveWritesTheDocumentedKeysInOrder) {
    Settings s = loaded();
    s.InstanceNumber = 2;
    s.FontWide = 8;
    s.FontHigh = 16;
    s.FontName = "\x82\x6C\x82\x72 Gothic";
    s.FileNameLength = 20;
    s.ExtLength = 3;
    s.DateTimeOut = 1;
    s.TimeOut = 0;
    s.AutoOut = 1;
    s.TodayColor = 1;
    s.InfoWindow = 0;
    s.DirFindKey = 'D';
    s.FileFindKey = '\xE0';
    s.Sort.fileName = {1, false, true};
    s.Sort.extension = {-2, true, true};
    s.Sort.tagFile = true;
    s.Editor = "notepad.exe";
    s.LastPath = "C:\\data";
    s.FtpWork = "C:\\work";
    s.FtpSaveCache = 15;
    s.FtpSaveTemp = 1;
    s.Save();

    const std::vector<std::string> expectedOrder = {
        "WINDOW/FontWide_2", "WINDOW/FontHigh_2", "WINDOW/FontName_2",
        "WINDOW/FileNameLength_2", "WINDOW/ExtLength_2", "WINDOW/DateTimeOut_2",
        "WINDOW/TimeOut_2", "WINDOW/AutoOut_2", "WINDOW/TodayColor_2",
        "WINDOW/InfoWindow_2", "WINDOW/DirFindKey", "WINDOW/FileFindKey",
        "SORT/FileName", "SORT/Extention", "SORT/Time",
        "SORT/Attribute", "SORT/Size", "SORT/TagFile",
        "PATH/Editor", "PATH/LastPath_2", "PATH/FtpWork",
        "PATH/FtpTime", "PATH/FtpSaveCache", "PATH/FtpSaveTemp",
    };
    EXPECT_EQ(profile.writes, expectedOrder);
    EXPECT_EQ(profile.at("WINDOW", "FontWide_2"), "8");
    EXPECT_EQ(profile.at("WINDOW", "FontName_2"), "\x82\x6C\x82\x72 Gothic");
    EXPECT_EQ(profile.at("WINDOW", "AutoOut_2"), "1");
    EXPECT_EQ(profile.at("WINDOW", "InfoWindow_2"), "0");
    EXPECT_EQ(profile.at("WINDOW", "DirFindKey"), "68");
    EXPECT_EQ(profile.at("WINDOW", "FileFindKey"), "-32");
    EXPECT_EQ(profile.at("SORT", "FileName"), "1,0,1");
    EXPECT_EQ(profile.at("SORT", "Extention"), "-2,1,1");
    EXPECT_EQ(profile.at("SORT", "Size"), "0,0,0");
    EXPECT_EQ(profile.at("SORT", "TagFile"), "1");
    EXPECT_EQ(profile.at("PATH", "LastPath_2"), "C:\\data");
    EXPECT_EQ(profile.at("PATH", "FtpSaveCache"), "15");
    EXPECT_EQ(profile.at("PATH", "FtpSaveTemp"), "1");
    EXPECT_EQ(profile.at("PATH", "LastPath"), "<absent>");

    // What one instance saved, the same instance reads back.
    s.FileFindKey = 'F';
    s.Save();
    Settings again(profile, ProgramDir);
    again.InstanceNumber = 2;
    again.Load();
    EXPECT_EQ(again.FontName, s.FontName);
    EXPECT_EQ(again.FileNameLength, 20);
    EXPECT_EQ(again.DateTimeOut, 1);
    EXPECT_EQ(again.FileFindKey, 'F');
    EXPECT_EQ(again.Sort.extension.priority, -2);
    EXPECT_TRUE(again.Sort.extension.down);
    EXPECT_EQ(again.LastPath, "C:\\data");
    EXPECT_EQ(again.FtpWork, "C:\\work");
}

TEST_F(SettingsTest, DisplayTogglesSaveTheDisplayGroupOnly) {
    Settings s = loaded();
    s.DateTimeOut = 0;
    s.TimeOut = 1;
    s.AutoOut = 1;
    EXPECT_TRUE(s.ToggleTime());
    EXPECT_EQ(s.AutoOut, 0);
    EXPECT_EQ(profile.at("WINDOW", "DateTimeOut"), "1");
    EXPECT_EQ(profile.at("WINDOW", "AutoOut"), "0");
    EXPECT_EQ(profile.writes.size(), 12u);
    EXPECT_FALSE(s.ToggleTime());

    s.AutoOut = 1;
    EXPECT_FALSE(s.ToggleSize());
    EXPECT_EQ(s.AutoOut, 0);
    EXPECT_EQ(profile.at("WINDOW", "TimeOut"), "0");
    EXPECT_TRUE(s.ToggleSize());

    s.SetAuto();
    EXPECT_EQ(s.TimeOut, 0);
    EXPECT_EQ(s.DateTimeOut, 0);
    EXPECT_EQ(s.AutoOut, 1);
    EXPECT_EQ(profile.at("WINDOW", "AutoOut"), "1");
    EXPECT_EQ(profile.at("SORT", "TagFile"), "<absent>");
}

TEST(EncodedValue, MatchesWorkedExamples) {
    // Worked by hand: key "AB" gives b = 5, swaps 2,1,1.
    EXPECT_EQ(encodeValue("AB", "abc"), "261127220");
    // A key byte above 0x7F is negative for the swap rule: no swap at 0 and 2.
    EXPECT_EQ(encodeValue("\xF0", "xyz"), "102880094");
    EXPECT_EQ(decodeValue("AB", "261127220"), "abc");
    EXPECT_EQ(encodeValue("", "pw"), "552294");
    EXPECT_EQ(encodeValue("", "secret"), encodeValue("QUILTMAN", "secret"));
}

TEST(EncodedValue, RoundTripsEveryByteUnderAnyKey) {
    std::string allBytes;
    for (int c = 1; c < 256; ++c) allBytes += static_cast<char>(c);
    const std::string sjisPassword = "\x83\x70\x83\x58\x83\x8F\x81\x5B\x83\x68";  // katakana
    for (const std::string key : {"ftp.example.com", "\x82\xA0\xE0\x40", "", "k"}) {
        for (const std::string& plain : {allBytes, sjisPassword, std::string("abc")}) {
            std::string encoded = encodeValue(key, plain);
            ASSERT_EQ(encoded.size(), plain.size() * 3);
            EXPECT_EQ(encoded.find_first_not_of("0123456789"), std::string::npos);
            EXPECT_EQ(decodeValue(key, encoded), plain);
        }
    }
}

TEST(EncodedValue, WrongKeyAndShortRemainder) {
    std::string encoded = encodeValue("host-a", "abc");
    ASSERT_EQ(encoded.size(), 9u);
    std::string other = decodeValue("host-b", encoded);
    EXPECT_EQ(other.size(), 3u);
    EXPECT_NE(other, "abc");
    EXPECT_EQ(decodeValue("host-a", encoded + "12"), "abc");
    EXPECT_EQ(decodeValue("host-a", encoded.substr(0, 7)), "ab");
    EXPECT_EQ(decodeValue("host-a", "12"), "");
}

TEST_F(SettingsTest, EncodedValuesGoThroughTheProfile) {
    Settings s(profile, ProgramDir);
    s.WriteEncoded("ftp.example.com", "FTP", "ftp.example.com_PASS", "hunter2");
    std::string stored = profile.at("FTP", "ftp.example.com_PASS");
    EXPECT_EQ(stored, encodeValue("ftp.example.com", "hunter2"));
    EXPECT_EQ(stored.find("hunter2"), std::string::npos);
    EXPECT_EQ(s.ReadEncoded("ftp.example.com", "FTP", "ftp.example.com_PASS"), "hunter2");
    EXPECT_EQ(s.ReadEncoded("ftp.example.com", "FTP", "absent"), "");
}

class WorkDirectoryTest : public SettingsTest {
protected:
    std::string workDirectory(int kind, const std::string& ftpWork, int failAt = -1) {
        Settings s(profile, ProgramDir);
        s.FtpWork = ftpWork;
        made.clear();
        return s.WorkDirectory(kind, [&](const std::string& dir) {
            made.push_back(dir);
            return static_cast<int>(made.size()) - 1 != failAt;
        });
    }
    std::vector<std::string> made;
};

TEST_F(WorkDirectoryTest, DrivePathIsCreatedLevelByLevel) {
    EXPECT_EQ(workDirectory(1, "C:\\work\\tmp"), "C:\\work\\tmp\\V_WORK\\W_FTP");
    EXPECT_EQ(made, (std::vector<std::string>{"C:\\work", "C:\\work\\tmp"}));
    EXPECT_EQ(workDirectory(2, "C:\\work\\"), "C:\\work\\V_WORK\\W_ARCHIVE");
    EXPECT_EQ(made, (std::vector<std::string>{"C:\\work"}));
    EXPECT_EQ(workDirectory(3, "C:\\"), "C:\\V_WORK\\W_CACHE");
    EXPECT_TRUE(made.empty());
    // 0x5C as the trail byte of a double-byte character is no separator.
    EXPECT_EQ(workDirectory(1, "C:\\\x95\x5C\\x"), "C:\\\x95\x5C\\x\\V_WORK\\W_FTP");
    EXPECT_EQ(made, (std::vector<std::string>{"C:\\\x95\x5C", "C:\\\x95\x5C\\x"}));
    EXPECT_EQ(workDirectory(1, "C:\\\x95\x5C"), "C:\\\x95\x5C\\V_WORK\\W_FTP");
}

TEST_F(WorkDirectoryTest, UnusableBaseFallsBackToTheProgramDirectory) {
    EXPECT_EQ(workDirectory(1, "C:\\work\\..\\x"), ProgramDir + "V_WORK\\W_FTP");
    EXPECT_TRUE(made.empty());
    EXPECT_EQ(workDirectory(2, "\\\\server\\share"), ProgramDir + "V_WORK\\W_ARCHIVE");
    EXPECT_EQ(workDirectory(3, "FTP"), ProgramDir + "V_WORK\\W_CACHE");
    EXPECT_TRUE(made.empty());
    EXPECT_EQ(workDirectory(1, "C:\\a\\b\\c", 1), ProgramDir + "V_WORK\\W_FTP");
    EXPECT_EQ(made, (std::vector<std::string>{"C:\\a", "C:\\a\\b"}));  // stops at the failure
}

TEST_F(WorkDirectoryTest, OtherKindsGiveFtpWorkUntouched) {
    EXPECT_EQ(workDirectory(0, "C:\\work"), "C:\\work");
    EXPECT_EQ(workDirectory(4, "FTP"), "FTP");
    EXPECT_TRUE(made.empty());
}

}  // namespace

TEST_F(SettingsTest, ReloadKeepsTheInstancesOwnLastPath) {
    Settings s = loaded();
    s.InstanceNumber = 1;
    s.LastPath = "C:\\\x95\x5c";  // where the pane stands, not yet saved
    profile.set("WINDOW", "FontWide_1", "9");
    profile.set("WINDOW", "FontHigh_1", "18");
    s.Reload();
    EXPECT_EQ(s.FontWide, 9);
    EXPECT_EQ(s.LastPath, "C:\\\x95\x5c");
    s.Save();
    EXPECT_EQ(profile.at("PATH", "LastPath_1"), "C:\\\x95\x5c");
}
