#pragma once
// The file search window: patterns, folder, subfolders; the walk runs on a
// thread of its own while the window shows the count and the results, and
// Enter or a double click on a result hands it to the calling Vorbin.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/win/dialog_object.h"
#include "filesearch/caller_title.h"
#include "filesearch/tree_search.h"

class SearchDialog : public DialogObject<SearchDialog, FALSE> {
public:
    SearchDialog(CallerWindow caller, std::string programDirectory);
    ~SearchDialog();
    void run();

private:
    friend class DialogObject<SearchDialog, FALSE>;
    void initialise();
    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp);
    void start();
    void stop();
    void takeResults(bool finished);
    void showStatus();
    void handOver(int row);
    void browse();
    void fitPathColumn();
    std::string rowText(int row, int column) const;

    CallerWindow caller_;
    std::string programDirectory_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> running_{false};

    std::mutex lock_;  // guards the two below, filled by the worker
    std::vector<SearchHit> incoming_;
    SearchCounts incomingCounts_;

    std::vector<SearchHit> hits_;  // what the list shows
    SearchCounts counts_;
    bool finished_ = false;
    HWND focusAtStart_ = nullptr;
    std::string cellText_;  // the list reads a row's text from here
};
