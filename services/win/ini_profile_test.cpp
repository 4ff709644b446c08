// The settings file on the real platform.
#include <gtest/gtest.h>

#include "services/settings.h"
#include "services/win/ini_profile.h"
#include "testing/win/scratch_directory.h"

TEST(IniProfile, ShiftJisValuesAndAbsentKeysRoundTrip) {
    ScratchDirectory dir;
    IniProfile profile(dir / "Vorbin.ini");
    EXPECT_EQ(profile.read("PATH", "LastPath"), "");  // no file yet
    const std::string path = "C:\\\x95\x5c\\\x83\x5c\x93\xfa\x96\x7b";  // C:\表\ソ日本
    profile.write("PATH", "LastPath", path);
    profile.write("WINDOW", "FontName", "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e");
    EXPECT_EQ(profile.read("PATH", "LastPath"), path);
    EXPECT_EQ(profile.read("path", "lastpath"), path);  // keys are found in any case
    EXPECT_EQ(profile.read("WINDOW", "FontName"),
              "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e");
    EXPECT_EQ(profile.read("WINDOW", "Missing"), "");
    // A long value is cut to what the 1000-byte buffer holds.
    profile.write("PATH", "Long", std::string(1500, 'x'));
    EXPECT_EQ(profile.read("PATH", "Long").size(), 999u);
}

TEST(IniProfile, SettingsSurviveSaveAndLoadThroughTheFile) {
    ScratchDirectory dir;
    IniProfile profile(dir / "Vorbin.ini");
    Settings first(profile, dir.path() + "\\");
    first.Load();
    first.LastPath = "C:\\\x95\x5c";
    first.FontName = "IPAGothic";
    first.Sort.extension = {2, true, true};
    first.Save();
    first.SaveDisplay();
    first.WriteEncoded("ftp.example", "FTP", "site_PASS", "s3cr\x95\x5c");

    Settings second(profile, dir.path() + "\\");
    second.Load();
    EXPECT_EQ(second.LastPath, "C:\\\x95\x5c");
    EXPECT_EQ(second.FontName, "IPAGothic");
    EXPECT_EQ(second.Sort.extension.priority, 2);
    EXPECT_TRUE(second.Sort.extension.down);
    EXPECT_EQ(second.ReadEncoded("ftp.example", "FTP", "site_PASS"), "s3cr\x95\x5c");
    EXPECT_NE(profile.read("FTP", "site_PASS").find_first_not_of("0123456789"), 0u);
    EXPECT_EQ(profile.read("FTP", "site_PASS").size(), 18u);
}
