// Several real instances in one program directory: numbers, titles, the end
// of the last instance and what it leaves in Vorbin.ini.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "services/win/ini_profile.h"
#include "e2e/vorbin_process.h"

namespace {
std::string iniValue(const ProgramDirectory& dir, const char* section, const char* key) {
    IniProfile profile(dir / "Vorbin.ini");
    return profile.read(section, key);
}
}  // namespace

TEST(Instances, NumbersTitlesWorkDirectoryAndSavedSettings) {
    ProgramDirectory dir;
    // Start without any settings: every value comes from the load rules.
    DeleteFileA((dir / "Vorbin.ini").c_str());

    VorbinProcess first(dir);
    ASSERT_TRUE(first.waitForWindow()) << "no window for the first instance";
    EXPECT_EQ(first.title().rfind("[Vorbin:0] (*.*) ", 0), 0u) << first.title();
    EXPECT_NE(first.title().find(dir.scratch().path()), std::string::npos) << first.title();

    VorbinProcess second(dir);
    ASSERT_TRUE(second.waitForWindow());
    EXPECT_EQ(second.title().rfind("[Vorbin:1] (*.*) ", 0), 0u) << second.title();

    // Extracted archive files, one of them read-only, as an archive command leaves them.
    const std::string work = dir / "TEMP\\V_WORK\\W_ARCHIVE";
    ASSERT_TRUE(CreateDirectoryA((dir / "TEMP").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((dir / "TEMP\\V_WORK").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((work + "\\sub").c_str(), nullptr));
    ASSERT_TRUE(dir.scratch().writeFile("TEMP\\V_WORK\\W_ARCHIVE\\sub\\ro.txt", "x",
                                        FILE_ATTRIBUTE_READONLY));

    ASSERT_TRUE(first.close());
    EXPECT_TRUE(fileExists(work + "\\sub\\ro.txt")) << "removed while an instance still runs";

    VorbinProcess third(dir);
    ASSERT_TRUE(third.waitForWindow());
    EXPECT_EQ(third.title().rfind("[Vorbin:0] ", 0), 0u) << "number 0 was not reused";

    ASSERT_TRUE(second.close());
    EXPECT_TRUE(fileExists(work));
    ASSERT_TRUE(third.close());
    EXPECT_FALSE(fileExists(work)) << "the last instance left the archive work directory";
    EXPECT_TRUE(fileExists(dir / "TEMP\\V_WORK")) << "only the work directory itself goes";

    // What the instances wrote back.
    EXPECT_EQ(iniValue(dir, "WINDOW", "FontHigh"), "14");
    EXPECT_EQ(iniValue(dir, "WINDOW", "FontWide"), "7");
    EXPECT_EQ(iniValue(dir, "WINDOW", "FileNameLength"), "30");
    EXPECT_EQ(iniValue(dir, "WINDOW", "ExtLength"), "4");
    EXPECT_EQ(iniValue(dir, "WINDOW", "FontWide_1"), "7");
    EXPECT_EQ(iniValue(dir, "WINDOW", "DirFindKey"), "0");
    EXPECT_EQ(iniValue(dir, "SORT", "FileName"), "0,0,0");
    EXPECT_EQ(iniValue(dir, "SORT", "TagFile"), "0");
    EXPECT_EQ(iniValue(dir, "PATH", "FtpWork"), dir.path() + "TEMP");
    EXPECT_NE(iniValue(dir, "PATH", "LastPath").find(dir.scratch().path()), std::string::npos);
    EXPECT_NE(iniValue(dir, "PATH", "LastPath_1"), "");
    EXPECT_EQ(iniValue(dir, "PATH", "FtpSaveCache"), "0");
    EXPECT_EQ(iniValue(dir, "VORBIN_QUORVANE", "Vorbin"), "0");
    EXPECT_EQ(iniValue(dir, "VORBIN_QUORVANE", "Vorbin_1"), "0");
}

TEST(Instances, OpensAtTheLastPathWithJapaneseName) {
    ProgramDirectory dir;
    const std::string folder = dir / "\x95\x5c\x8e\xa6";  // 表示
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(WritePrivateProfileStringA("PATH", "LastPath", folder.c_str(),
                                           (dir / "Vorbin.ini").c_str()));
    VorbinProcess vorbin(dir);
    ASSERT_TRUE(vorbin.waitForWindow());
    EXPECT_EQ(vorbin.title(), "[Vorbin:0] (*.*) " + folder);
    ASSERT_TRUE(vorbin.close());
    EXPECT_EQ(iniValue(dir, "PATH", "LastPath"), folder);
}

// Eight instances closed at once, as a log-off does: every one saves its own
// folder, and none wipes out what another saved meanwhile.
TEST(Instances, EightClosedAtOnceEachKeepTheirLastPath) {
    ProgramDirectory dir;
    std::vector<std::unique_ptr<VorbinProcess>> instances;
    std::vector<std::string> folders;
    for (int n = 0; n < 8; ++n) {
        folders.push_back(dir / ("\x95\x5c" + std::to_string(n)));  // 表0 .. 表7
        ASSERT_TRUE(CreateDirectoryA(folders.back().c_str(), nullptr));
        instances.push_back(std::make_unique<VorbinProcess>(dir));
        ASSERT_TRUE(instances.back()->waitForWindow()) << n;
    }
    for (int n = 0; n < 8; ++n) {
        handOver(*instances[n], folders[n]);
        ASSERT_TRUE(waitUntil([&] { return instances[n]->title().ends_with(folders[n]); }, 5000))
            << instances[n]->title();
    }
    for (auto& instance : instances) PostMessageA(instance->window(), WM_CLOSE, 0, 0);
    for (auto& instance : instances) EXPECT_TRUE(instance->waitForExit(20000));
    for (int n = 0; n < 8; ++n) {
        const std::string key = n == 0 ? "LastPath" : "LastPath_" + std::to_string(n);
        EXPECT_EQ(iniValue(dir, "PATH", key.c_str()), folders[n]) << key;
        const std::string font = n == 0 ? "FontWide" : "FontWide_" + std::to_string(n);
        EXPECT_EQ(iniValue(dir, "WINDOW", font.c_str()), "8") << font;
    }
}
