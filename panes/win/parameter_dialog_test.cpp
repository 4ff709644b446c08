// The "$P" prompt opened for real: its numbered title, the text typed
// returned as it is, and Cancel.
#include "panes/win/parameter_dialog.h"

#include <gtest/gtest.h>

#include "testing/win/dialog_test_driver.h"
#include "panes/win/find_name_dialog_ids.h"

using namespace dialog_test;

TEST(ParameterDialog, OkReturnsTheTextAsTypedAndCancelReturnsNothing) {
    const std::string typed = "\x93\xfa\x96\x7b \x95\x5c*.txt";  // 日本 表*.txt
    std::string text = "before";
    std::string shown = "not read";
    bool result = false;
    ASSERT_TRUE(drive(
        "Parameter [2]", [&] { result = askParameterDialog(nullptr, 2, text); },
        [&](HWND d) {
            shown = itemText(d, IDC_FIND_NAME_TEXT);
            setItemText(d, IDC_FIND_NAME_TEXT, typed);
            press(d, IDOK);
        }));
    EXPECT_TRUE(result);
    EXPECT_EQ(shown, "");
    EXPECT_EQ(text, typed);

    result = true;
    ASSERT_TRUE(drive(
        "Parameter [1]", [&] { result = askParameterDialog(nullptr, 1, text); },
        [&](HWND d) {
            setItemText(d, IDC_FIND_NAME_TEXT, "other");
            press(d, IDCANCEL);
        }));
    EXPECT_FALSE(result);
    EXPECT_EQ(text, typed);
}
