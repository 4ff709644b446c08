// The FTP progress window opened for real, alone and behind a job of our
// own: status names with their running count, item texts, no close before
// the job ends, and Cancel stopping the job between files.
#include "fileops/win/progress_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fileops/win/ftp_job.h"
#include "fileops/win/progress_dialog_ids.h"
#include "testing/win/dialog_test_driver.h"

using namespace dialog_test;

namespace {

bool waitForText(HWND dialog, int id, const std::string& text) {
    for (int i = 0; i < 300; ++i) {
        if (itemText(dialog, id) == text) return true;
        Sleep(10);
    }
    return false;
}

// Every way a user asks a dialog to close, posted so that they queue up
// behind each other; a marker item text then shows they were all handled.
void askToCloseEveryWay(HWND dialog, const std::string& marker) {
    // Keys go to the item field, which has the focus: on the button, Enter
    // would press it.
    HWND field = GetDlgItem(dialog, IDC_FTP_PROGRESS_ITEM);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    PostMessageA(field, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(field, WM_KEYUP, VK_ESCAPE, 0);
    PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(field, WM_KEYUP, VK_RETURN, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    postFtpItemText(dialog, marker);
}

class RecordingSession : public FtpStatusRoute {
public:
    void SetStatusWindow(HWND window) override { windows.push_back(window); }
    std::vector<HWND> windows;  // only the worker thread writes, while the test waits
};

}  // namespace

TEST(ProgressDialog, ShowsEachStatusByNameWithItsCountAndTheItemText) {
    struct Shown {
        std::string caption, cancelLabel;
        std::vector<std::string> statuses;
        std::string item, itemAfterUnknown;
    } seen;
    const FtpStatusRecord records[] = {
        {0, 1},   {0, 2},   {0, 10},  {0, 11},  {0, 16},  {0, 20},  {0, 21},
        {0, 30},  {0, 31},  {0, 40},  {0, 41},  {0, 50},  {0, 51},  {0, 60},
        {0, 70},  {0, 100}, {0, 256}, {0, 512}, {0, 0},   {0, 3},   {0, 513},
    };
    FtpProgressDialog progress;
    bool found = drive(
        "FTP", [&] { progress.RunModal(nullptr); },
        [&](HWND d) {
            seen.caption = textOf(d);
            seen.cancelLabel = itemText(d, IDC_FTP_PROGRESS_CANCEL);
            for (const FtpStatusRecord& record : records) {
                SendMessageA(d, WM_FTP_STATUS, 0, reinterpret_cast<LPARAM>(&record));
                seen.statuses.push_back(itemText(d, IDC_FTP_PROGRESS_STATUS));
            }
            postFtpItemText(d, "\x83\x74\x83\x40\x83\x43\x83\x8b.txt");  // ファイル.txt
            if (waitForText(d, IDC_FTP_PROGRESS_ITEM, "\x83\x74\x83\x40\x83\x43\x83\x8b.txt")) {
                seen.item = itemText(d, IDC_FTP_PROGRESS_ITEM);
            }
            progress.AllowClose();
            PostMessageA(d, WM_CLOSE, 0, 0);
        });
    ASSERT_TRUE(found);
    EXPECT_EQ(seen.caption, "FTP");
    EXPECT_EQ(seen.cancelLabel, "&Cancel");
    const std::vector<std::string> expected = {
        "1:CONNECTED",           "2:DISCONNECTED",       "3:RESOLVING_NAME",
        "4:NAME_RESOLVED",       "5:DISCONNECTED_BY_USER", "6:CONNECTING_TO_SERVER",
        "7:CONNECTED_TO_SERVER", "8:SENDING_REQUEST",    "9:REQUEST_SENT",
        "10:RECEIVING_RESPONSE", "11:RESPONSE_RECEIVED", "12:CLOSING_CONNECTION",
        "13:CONNECTION_CLOSED",  "14:HANDLE_CREATED",    "15:HANDLE_CLOSING",
        "16:REQUEST_COMPLETE",   "17:IDLE",              "18:BUSY",
        "19:UNKNOWN!!",          "20:UNKNOWN!!",         "21:UNKNOWN!!",
    };
    EXPECT_EQ(seen.statuses, expected);
    EXPECT_EQ(progress.StatusCount(), 21);
    EXPECT_EQ(seen.item, "\x83\x74\x83\x40\x83\x43\x83\x8b.txt");
    EXPECT_FALSE(progress.IsCancelRequested());
}

TEST(ProgressDialog, IgnoresEveryCloseRequestUntilItMayClose) {
    FtpProgressDialog progress;
    bool openAfterRequests = false, closedAfterAllow = false;
    INT_PTR result = 0;
    bool found = drive(
        "FTP", [&] { result = progress.RunModal(nullptr); },
        [&](HWND d) {
            askToCloseEveryWay(d, "still here");
            openAfterRequests =
                waitForText(d, IDC_FTP_PROGRESS_ITEM, "still here") && IsWindow(d);
            progress.AllowClose();
            PostMessageA(d, WM_CLOSE, 0, 0);
            for (int i = 0; i < 300 && IsWindow(d); ++i) Sleep(10);
            closedAfterAllow = !IsWindow(d);
        });
    ASSERT_TRUE(found);
    EXPECT_TRUE(openAfterRequests);
    EXPECT_TRUE(closedAfterAllow);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(progress.IsCancelRequested());  // Escape is not the Cancel button
}

namespace {

// Transfers `files` names one at a time; after the first it waits for the
// test, then checks for Cancel before each further file.
class ListJob : public FtpJob {
public:
    ListJob(FtpStatusRoute& session, int files)
        : FtpJob(session, nullptr),
          firstDone(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          proceed(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          files_(files) {}
    ~ListJob() override {
        SetEvent(proceed.get());
        Stop(INFINITE, true);
    }

    std::atomic<int> transferred{0};
    std::atomic<HWND> statusWindowDuringRun{nullptr};
    UniqueHandle firstDone, proceed;

protected:
    bool Run() override {
        static const FtpStatusRecord connected{0, 21};
        HWND window = progress_.WaitForWindow();
        statusWindowDuringRun = window;
        PostMessageA(window, WM_FTP_STATUS, 0, reinterpret_cast<LPARAM>(&connected));
        for (int i = 0; i < files_; ++i) {
            if (progress_.IsCancelRequested()) return false;
            postFtpItemText(window, "file" + std::to_string(i));
            ++transferred;
            if (i == 0) {
                SetEvent(firstDone.get());
                WaitForSingleObject(proceed.get(), INFINITE);
            }
        }
        return true;
    }

private:
    int files_;
};

}  // namespace

TEST(ProgressDialog, JobKeepsTheWindowOpenUntilItEndsThenAnswersItsResult) {
    RecordingSession session;
    ListJob job(session, 3);
    bool openWhileRunning = false;
    std::string status, item;
    bool result = false;
    bool found = drive(
        "FTP", [&] { result = job.Execute(); },
        [&](HWND d) {
            WaitForSingleObject(job.firstDone.get(), 5000);
            waitForText(d, IDC_FTP_PROGRESS_ITEM, "file0");
            status = itemText(d, IDC_FTP_PROGRESS_STATUS);
            askToCloseEveryWay(d, "marker");
            openWhileRunning = waitForText(d, IDC_FTP_PROGRESS_ITEM, "marker") && IsWindow(d);
            SetEvent(job.proceed.get());
        });
    ASSERT_TRUE(found);
    EXPECT_TRUE(openWhileRunning);
    EXPECT_EQ(status, "1:CONNECTED_TO_SERVER");
    EXPECT_TRUE(result);
    EXPECT_EQ(job.transferred.load(), 3);
    EXPECT_EQ(job.ThreadHandle(), nullptr);
    // The session had the dialog's window while the job ran, none after.
    ASSERT_EQ(session.windows.size(), 2u);
    EXPECT_NE(session.windows[0], nullptr);
    EXPECT_EQ(session.windows[0], job.statusWindowDuringRun.load());
    EXPECT_EQ(session.windows[1], nullptr);
}

TEST(ProgressDialog, CancelStopsTheJobBetweenFiles) {
    RecordingSession session;
    ListJob job(session, 5);
    bool cancelEnabledBefore = false, cancelEnabledAfter = true;
    bool result = true;
    bool found = drive(
        "FTP", [&] { result = job.Execute(); },
        [&](HWND d) {
            WaitForSingleObject(job.firstDone.get(), 5000);
            cancelEnabledBefore = isEnabled(d, IDC_FTP_PROGRESS_CANCEL);
            click(d, IDC_FTP_PROGRESS_CANCEL);
            cancelEnabledAfter = isEnabled(d, IDC_FTP_PROGRESS_CANCEL);
            SetEvent(job.proceed.get());
        });
    ASSERT_TRUE(found);
    EXPECT_TRUE(cancelEnabledBefore);
    EXPECT_FALSE(cancelEnabledAfter);
    EXPECT_FALSE(result);
    EXPECT_EQ(job.transferred.load(), 1);  // the file under way finished, no further one began
}
