#include "navigation/win/completing_field.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "base/win/window_text.h"

namespace {

bool down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

CompletingField::CompletingField(PathCompletion::Source source, char directoryKey, char fileKey)
    : completion_(std::move(source)) {
    completion_.setKeys(std::string_view(&directoryKey, 1), std::string_view(&fileKey, 1));
}

CompletingField::~CompletingField() {
    if (edit_) RemoveWindowSubclass(edit_, procedure, reinterpret_cast<UINT_PTR>(this));
}

void CompletingField::attach(HWND edit) {
    if (!edit || edit_) return;
    if (!SetWindowSubclass(edit, procedure, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this)))
        return;
    edit_ = edit;
    textSet(windowText(edit));
}

void CompletingField::complete(CompletionKind kind, bool backwards) {
    const std::string now = windowText(edit_);
    if (now != known_) textSet(now);
    std::optional<std::string> text = completion_.complete(now, kind, backwards);
    if (!text) return;
    known_ = *text;
    SetWindowTextA(edit_, text->c_str());
    int end = static_cast<int>(text->size());
    SendMessageA(edit_, EM_SETSEL, end, end);
}

LRESULT CALLBACK CompletingField::procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp,
                                            UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<CompletingField*>(data);
    switch (message) {
    case WM_KEYDOWN:
        // A key whose character never came must not cost the next one.
        self->swallowChar_ = false;
        if (down(VK_CONTROL) && !down(VK_MENU) && wp >= 'A' && wp <= 'Z') {
            if (auto kind = self->completion_.kindFor(static_cast<char>(wp))) {
                self->complete(*kind, down(VK_SHIFT));
                self->swallowChar_ = true;
                return 0;
            }
        }
        break;
    case WM_CHAR: {
        // Ctrl+H would otherwise arrive as a backspace after completing.
        if (self->swallowChar_) {
            self->swallowChar_ = false;
            return 0;
        }
        LRESULT result = DefSubclassProc(hwnd, message, wp, lp);
        if (!down(VK_CONTROL) && !down(VK_MENU)) self->textSet(windowText(hwnd));
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, procedure, id);
        self->edit_ = nullptr;
        break;
    }
    return DefSubclassProc(hwnd, message, wp, lp);
}
