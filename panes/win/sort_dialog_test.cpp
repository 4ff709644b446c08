// The Sort dialog opened for real: rows shown from the settings, a row's
// priority and direction usable only while its key is on, OK saving the keys.
#include "panes/win/sort_dialog.h"

#include <gtest/gtest.h>

#include "services/win/ini_profile.h"
#include "testing/win/scratch_directory.h"
#include "testing/win/dialog_test_driver.h"
#include "panes/win/sort_dialog_ids.h"

using namespace dialog_test;

namespace {

struct RowSeen {
    std::string label;
    bool on = false;
    std::string priority;
    bool down = false;
    bool priorityEnabled = false;
    bool downEnabled = false;
};

RowSeen seeRow(HWND dialog, int on, int priority, int down) {
    return {itemText(dialog, on),          isChecked(dialog, on), itemText(dialog, priority),
            isChecked(dialog, down),       isEnabled(dialog, priority),
            isEnabled(dialog, down)};
}

}  // namespace

TEST(SortDialog, ShowsTheKeysAndOkStoresWhatWasChanged) {
    ScratchDirectory dir;
    IniProfile profile(dir / "Vorbin.ini");
    Settings settings(profile, dir.path() + "\\");
    settings.Sort.fileName = {1, false, true};
    settings.Sort.extension = {2, true, true};
    settings.Sort.time = {3, false, false};
    settings.Sort.attribute = {4, false, false};
    settings.Sort.size = {0, false, false};
    settings.Sort.tagFile = true;

    RowSeen name, extension, time, timeAfterClick, nameAfterClick;
    std::string attributeLabel, sizeLabel, tagLabel, sizePrefilled, attributeKept;
    bool tagShown = false;
    bool result = false;
    bool found = drive(
        "Sort", [&] { result = runSortDialog(nullptr, settings); },
        [&](HWND d) {
            name = seeRow(d, IDC_SORT_NAME, IDC_SORT_NAME_PRIORITY, IDC_SORT_NAME_DOWN);
            extension = seeRow(d, IDC_SORT_EXTENSION, IDC_SORT_EXTENSION_PRIORITY,
                               IDC_SORT_EXTENSION_DOWN);
            time = seeRow(d, IDC_SORT_TIME, IDC_SORT_TIME_PRIORITY, IDC_SORT_TIME_DOWN);
            attributeLabel = itemText(d, IDC_SORT_ATTRIBUTE);
            sizeLabel = itemText(d, IDC_SORT_SIZE);
            tagLabel = itemText(d, IDC_SORT_TAG_FILE);
            tagShown = isChecked(d, IDC_SORT_TAG_FILE);

            click(d, IDC_SORT_NAME);  // off
            click(d, IDC_SORT_TIME);  // on
            nameAfterClick = seeRow(d, IDC_SORT_NAME, IDC_SORT_NAME_PRIORITY, IDC_SORT_NAME_DOWN);
            timeAfterClick = seeRow(d, IDC_SORT_TIME, IDC_SORT_TIME_PRIORITY, IDC_SORT_TIME_DOWN);
            // A key ticked at 0 gets the lowest priority the other ticked keys leave.
            click(d, IDC_SORT_SIZE);
            sizePrefilled = itemText(d, IDC_SORT_SIZE_PRIORITY);
            click(d, IDC_SORT_ATTRIBUTE);
            attributeKept = itemText(d, IDC_SORT_ATTRIBUTE_PRIORITY);
            click(d, IDC_SORT_ATTRIBUTE);
            click(d, IDC_SORT_SIZE);
            setItemText(d, IDC_SORT_TIME_PRIORITY, "-5");
            click(d, IDC_SORT_TIME_DOWN);
            setItemText(d, IDC_SORT_SIZE_PRIORITY, "7");  // typed while the key is off
            click(d, IDC_SORT_EXTENSION_DOWN);
            click(d, IDC_SORT_TAG_FILE);
            press(d, IDOK);
        });
    ASSERT_TRUE(found);
    EXPECT_TRUE(result);

    EXPECT_EQ(sizePrefilled, "1");  // 2 and 3 taken, the name key off
    EXPECT_EQ(attributeKept, "4");
    EXPECT_EQ(name.label, "&NAME");
    EXPECT_EQ(extension.label, "&EXTENSION");
    EXPECT_EQ(attributeLabel, "&ATTRIBUTE");
    EXPECT_EQ(time.label, "&TIME");
    EXPECT_EQ(sizeLabel, "&SIZE");
    EXPECT_EQ(tagLabel, "TA&G FILE");

    EXPECT_TRUE(name.on);
    EXPECT_EQ(name.priority, "1");
    EXPECT_FALSE(name.down);
    EXPECT_TRUE(name.priorityEnabled && name.downEnabled);
    EXPECT_TRUE(extension.on && extension.down);
    EXPECT_EQ(extension.priority, "2");
    EXPECT_FALSE(time.on);
    EXPECT_EQ(time.priority, "3");
    EXPECT_FALSE(time.priorityEnabled || time.downEnabled);
    EXPECT_TRUE(tagShown);

    EXPECT_FALSE(nameAfterClick.on);
    EXPECT_FALSE(nameAfterClick.priorityEnabled || nameAfterClick.downEnabled);
    EXPECT_TRUE(timeAfterClick.on);
    EXPECT_TRUE(timeAfterClick.priorityEnabled && timeAfterClick.downEnabled);

    const SortKeys& keys = settings.Sort;
    EXPECT_FALSE(keys.fileName.on);
    EXPECT_EQ(keys.fileName.priority, 1);
    EXPECT_TRUE(keys.extension.on);
    EXPECT_FALSE(keys.extension.down);
    EXPECT_TRUE(keys.time.on);
    EXPECT_TRUE(keys.time.down);
    EXPECT_EQ(keys.time.priority, -5);
    EXPECT_FALSE(keys.size.on);
    EXPECT_EQ(keys.size.priority, 7);
    EXPECT_FALSE(keys.tagFile);

    // Saved in the file for the next process.
    EXPECT_EQ(profile.read("SORT", "Time"), "-5,1,1");
    EXPECT_EQ(profile.read("SORT", "FileName"), "1,0,0");
    EXPECT_EQ(profile.read("SORT", "TagFile"), "0");
}

TEST(SortDialog, CancelKeepsTheKeysAndWritesNothing) {
    ScratchDirectory dir;
    IniProfile profile(dir / "Vorbin.ini");
    Settings settings(profile, dir.path() + "\\");
    bool result = true;
    bool found = drive(
        "Sort", [&] { result = runSortDialog(nullptr, settings); },
        [](HWND d) {
            click(d, IDC_SORT_SIZE);
            setItemText(d, IDC_SORT_SIZE_PRIORITY, "9");
            press(d, IDCANCEL);
        });
    ASSERT_TRUE(found);
    EXPECT_FALSE(result);
    EXPECT_FALSE(settings.Sort.size.on);
    EXPECT_EQ(settings.Sort.size.priority, 0);
    EXPECT_EQ(profile.read("SORT", "Size"), "");
}
