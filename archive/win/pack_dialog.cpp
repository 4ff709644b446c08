#include "archive/win/pack_dialog.h"

#include "archive/win/archive_library.h"
#include "archive/win/pack_dialog_ids.h"
#include "base/win/dialog_object.h"
#include "base/win/handle.h"
#include "base/win/window_text.h"

namespace {

constexpr const char* Section = "ARCHIVE";
constexpr const char* Key = "Type";
constexpr int MaxName = 512;
constexpr int Buttons[] = {IDC_PACK_AUTO, IDC_PACK_LHA, IDC_PACK_ZIP, IDC_PACK_CAB, IDC_PACK_TAR};

class PackDialog : public DialogObject<PackDialog, FALSE> {
public:
    PackDialog(Settings& settings, PackChoice& choice) : settings_(settings), choice_(choice) {}
    INT_PTR run(HWND owner) { return runModal(owner, IDD_PACK); }

    void initialise() {
        HWND name = item(IDC_PACK_NAME);
        SendMessageA(name, EM_LIMITTEXT, MaxName, 0);
        // The name field speaks the list's font, as the pane does.
        font_.reset(CreateFontA(settings_.FontHigh, settings_.FontWide, 0, 0, FW_NORMAL, FALSE,
                                FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN,
                                settings_.FontName.empty() ? nullptr : settings_.FontName.c_str()));
        if (font_) SendMessageA(name, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        SetWindowTextA(name, choice_.name.c_str());
        int type = storedPackType(settings_);
        for (int t = ArchiveLzh; t <= ArchiveTar; ++t) {
            // Asked now: a library put beside the program a moment ago counts.
            const bool present = archiverPresent(packLibraryFor(static_cast<ArchiveType>(t)));
            EnableWindow(item(Buttons[t]), present);
            if (!present && type == t) type = 0;
        }
        CheckRadioButton(hwnd_, IDC_PACK_AUTO, IDC_PACK_TAR, Buttons[type]);
        SetFocus(name);
        SendMessageA(name, EM_SETSEL, 0, -1);
    }

    INT_PTR handle(UINT message, WPARAM wp, LPARAM) {
        if (message != WM_COMMAND) return FALSE;
        switch (LOWORD(wp)) {
        case IDOK: {
            choice_.name = windowText(item(IDC_PACK_NAME));
            choice_.type = 0;
            for (int t = 0; t <= ArchiveTar; ++t)
                if (IsDlgButtonChecked(hwnd_, Buttons[t]) == BST_CHECKED) choice_.type = t;
            settings_.WriteInt(Section, Key, choice_.type);
            EndDialog(hwnd_, IDOK);
            return TRUE;
        }
        case IDCANCEL: EndDialog(hwnd_, IDCANCEL); return TRUE;
        }
        return FALSE;
    }

private:
    Settings& settings_;
    PackChoice& choice_;
    GdiObject font_;
};

}  // namespace

int storedPackType(Settings& settings) {
    const int type = settings.ReadInt(Section, Key, 0);
    return type < 0 || type > ArchiveTar ? 0 : type;
}

bool runPackDialog(HWND owner, Settings& settings, PackChoice& choice) {
    PackDialog dialog(settings, choice);
    return dialog.run(owner) == IDOK && !choice.name.empty();
}
