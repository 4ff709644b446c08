#pragma once
// Path completion on an edit window: Ctrl + the directory or the file letter
// completes the text from the entries of its directory, Shift steps
// backwards, and every typed character starts the completion afresh.
#include <windows.h>

#include <string>
#include <string_view>

#include "navigation/path_completion.h"

class CompletingField {
public:
    // The letters are the settings' ones; anything but a letter means "D" or "F".
    CompletingField(PathCompletion::Source source, char directoryKey, char fileKey);
    ~CompletingField();
    CompletingField(const CompletingField&) = delete;
    CompletingField& operator=(const CompletingField&) = delete;

    // Takes over the keys of edit, starting from the text it holds. The field
    // lets go by itself when the edit is destroyed, and must outlive it or be
    // destroyed on the edit's thread.
    void attach(HWND edit);
    // Text put into the field by other means than typing.
    void textSet(std::string_view text) {
        completion_.typed(text);
        known_ = text;
    }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp,
                                      UINT_PTR id, DWORD_PTR data);
    void complete(CompletionKind kind, bool backwards);

    PathCompletion completion_;
    HWND edit_ = nullptr;
    bool swallowChar_ = false;
    // The field's text as last typed or completed; a text put in any other
    // way (a pick from the drop-down list) starts completion afresh.
    std::string known_;
};
