// The "To Clipborad" dialog opened for real: boxes from the settings file,
// OK storing them, and the answer that says whether there is anything to list.
#include "panes/win/copy_list_dialog.h"

#include <gtest/gtest.h>

#include "services/win/ini_profile.h"
#include "testing/win/scratch_directory.h"
#include "panes/win/copy_list_dialog_ids.h"
#include "testing/win/dialog_test_driver.h"

using namespace dialog_test;

namespace {
const char* const Section = "COPY_CLIPBORAD";
}

TEST(CopyListDialog, ShowsStoredBoxesAndOkStoresTheNewOnes) {
    ScratchDirectory dir;
    IniProfile profile(dir / "Vorbin.ini");
    profile.write(Section, "SIZE", "1");
    profile.write(Section, "TOTAL", "1");
    Settings settings(profile, dir.path() + "\\");

    std::string labels;
    bool shown[5] = {};
    const int ids[5] = {IDC_COPY_LIST_SIZE, IDC_COPY_LIST_TIME, IDC_COPY_LIST_PATH,
                        IDC_COPY_LIST_FILENAME, IDC_COPY_LIST_TOTAL};
    CopyListOptions options;
    bool result = false;
    bool found = drive(
        "To Clipborad", [&] { result = runCopyListDialog(nullptr, settings, options); },
        [&](HWND d) {
            for (int i = 0; i < 5; ++i) {
                labels += itemText(d, ids[i]) + "|";
                shown[i] = isChecked(d, ids[i]);
            }
            click(d, IDC_COPY_LIST_SIZE);
            click(d, IDC_COPY_LIST_PATH);
            click(d, IDC_COPY_LIST_FILENAME);
            press(d, IDOK);
        });
    ASSERT_TRUE(found);
    EXPECT_EQ(labels, "&Size|&Time|&Path|&Filename|T&otal|");
    EXPECT_TRUE(shown[0]);
    EXPECT_FALSE(shown[1] || shown[2] || shown[3]);
    EXPECT_TRUE(shown[4]);

    EXPECT_TRUE(result);
    CopyListOptions expected;
    expected.path = true;
    expected.fileName = true;
    expected.total = true;
    EXPECT_EQ(options, expected);
    EXPECT_EQ(profile.read(Section, "FILENAME"), "1");
    EXPECT_EQ(profile.read(Section, "PATH"), "1");
    EXPECT_EQ(profile.read(Section, "SIZE"), "0");
    EXPECT_EQ(profile.read(Section, "TIME"), "0");
    EXPECT_EQ(profile.read(Section, "TOTAL"), "1");
}

TEST(CopyListDialog, TotalAloneIsStoredButListsNothingAndCancelStoresNothing) {
    ScratchDirectory dir;
    IniProfile profile(dir / "Vorbin.ini");
    profile.write(Section, "TIME", "1");
    Settings settings(profile, dir.path() + "\\");
    CopyListOptions options;

    bool result = true;
    ASSERT_TRUE(drive(
        "To Clipborad", [&] { result = runCopyListDialog(nullptr, settings, options); },
        [](HWND d) {
            click(d, IDC_COPY_LIST_TIME);  // off
            click(d, IDC_COPY_LIST_TOTAL);
            press(d, IDOK);
        }));
    EXPECT_FALSE(result);
    EXPECT_TRUE(options.total);
    EXPECT_FALSE(options.time);
    EXPECT_EQ(profile.read(Section, "TIME"), "0");
    EXPECT_EQ(profile.read(Section, "TOTAL"), "1");

    result = true;
    options = {};
    ASSERT_TRUE(drive(
        "To Clipborad", [&] { result = runCopyListDialog(nullptr, settings, options); },
        [](HWND d) {
            click(d, IDC_COPY_LIST_SIZE);
            press(d, IDCANCEL);
        }));
    EXPECT_FALSE(result);
    EXPECT_EQ(options, CopyListOptions{});
    EXPECT_EQ(profile.read(Section, "SIZE"), "0");
}
