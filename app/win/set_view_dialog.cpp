#include "app/win/set_view_dialog.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstdlib>
#include <set>
#include <string>

#include "app/set_view_rules.h"
#include "app/win/set_view_dialog_ids.h"
#include "base/win/dialog_object.h"
#include "base/win/handle.h"
#include "panes/win/colour_sample.h"
#include "services/message_numbers.h"
#include "services/table_files.h"
#include "services/win/message_box.h"

namespace {
COLORREF customColours[16];

int CALLBACK collectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM names) {
    reinterpret_cast<std::set<std::string>*>(names)->insert(font->lfFaceName);
    return 1;
}

class SetViewDialog : public DialogObject<SetViewDialog> {
public:
    SetViewDialog(Settings& settings, ExtTable& colours)
        : settings_(settings), colours_(colours), today_(colours.todayPair()),
          normal_(colours.defaultPair()) {}

    bool run(HWND owner) { return runModal(owner, IDD_SET_VIEW) == IDOK; }

private:
    friend DialogObject;

    void initialise() {
        const Settings& s = settings_;
        showBoxes(openingBoxes(s.AutoOut, s.TimeOut, s.DateTimeOut));
        SetDlgItemInt(hwnd_, IDC_VIEW_NAME_LENGTH, s.FileNameLength, TRUE);
        SetDlgItemInt(hwnd_, IDC_VIEW_EXT_LENGTH, s.ExtLength, TRUE);
        SetDlgItemInt(hwnd_, IDC_VIEW_WIDE, s.FontWide, TRUE);
        SetDlgItemInt(hwnd_, IDC_VIEW_HIGH, s.FontHigh, TRUE);
        check(IDC_VIEW_TODAY_COLOUR, s.TodayColor);
        fillFonts();
        SetDlgItemTextA(hwnd_, IDC_VIEW_FONT, s.FontName.c_str());
        for (int id : {IDC_VIEW_DIR_FIND_KEY, IDC_VIEW_FILE_FIND_KEY})
            for (char c = 'A'; c <= 'Z'; ++c) {
                const char letter[2] = {c, 0};
                SendDlgItemMessageA(hwnd_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(letter));
            }
        SendDlgItemMessageA(hwnd_, IDC_VIEW_DIR_FIND_KEY, CB_SETCURSEL, findKeyIndex(s.DirFindKey), 0);
        SendDlgItemMessageA(hwnd_, IDC_VIEW_FILE_FIND_KEY, CB_SETCURSEL, findKeyIndex(s.FileFindKey), 0);
        SetDlgItemTextA(hwnd_, IDC_VIEW_EDITOR, s.Editor.c_str());
        SetDlgItemTextA(hwnd_, IDC_VIEW_WORK_DIR,
                        s.WorkDirectory(0, [](const std::string&) { return true; }).c_str());
        SetDlgItemInt(hwnd_, IDC_VIEW_CACHE_LIFE, s.FtpSaveCache, TRUE);
        check(IDC_VIEW_FTP_TIME, s.FtpTime);
        check(IDC_VIEW_FTP_SAVE_TEMP, s.FtpSaveTemp);
    }

    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp) {
        switch (message) {
        case WM_DRAWITEM: {
            const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (d->CtlID == IDC_VIEW_TODAY_SAMPLE) drawColourSample(*d, today_, "Sample.txt");
            if (d->CtlID == IDC_VIEW_DEFAULT_SAMPLE) drawColourSample(*d, normal_, "Sample.txt");
            return TRUE;
        }
        case WM_COMMAND:
            command(LOWORD(wp));
            return TRUE;
        }
        return FALSE;
    }

    void command(int id) {
        switch (id) {
        case IDC_VIEW_AUTO: showBoxes(clickSwitch(boxes_, SwitchBox::Auto)); break;
        case IDC_VIEW_SIZE: showBoxes(clickSwitch(boxes_, SwitchBox::Size)); break;
        case IDC_VIEW_TIME: showBoxes(clickSwitch(boxes_, SwitchBox::Time)); break;
        case IDC_VIEW_TODAY_TEXT: chooseColour(today_.text, IDC_VIEW_TODAY_SAMPLE); break;
        case IDC_VIEW_TODAY_BACK: chooseColour(today_.back, IDC_VIEW_TODAY_SAMPLE); break;
        case IDC_VIEW_DEFAULT_TEXT: chooseColour(normal_.text, IDC_VIEW_DEFAULT_SAMPLE); break;
        case IDC_VIEW_DEFAULT_BACK: chooseColour(normal_.back, IDC_VIEW_DEFAULT_SAMPLE); break;
        case IDC_VIEW_EDITOR_BROWSE: chooseEditor(); break;
        case IDC_VIEW_WORK_DIR_BROWSE: chooseWorkDirectory(); break;
        case IDOK: accept(); break;
        case IDCANCEL: EndDialog(hwnd_, IDCANCEL); break;
        }
    }

    void check(int id, bool on) { CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED); }
    bool checked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

    void showBoxes(DisplaySwitchBoxes boxes) {
        boxes_ = boxes;
        check(IDC_VIEW_AUTO, boxes.autoOut);
        check(IDC_VIEW_SIZE, boxes.size);
        check(IDC_VIEW_TIME, boxes.time);
    }

    void fillFonts() {
        std::set<std::string> names;
        WindowDC screen(nullptr);
        LOGFONTA wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExA(screen.get(), &wanted, collectFace, reinterpret_cast<LPARAM>(&names), 0);
        for (const std::string& name : names)
            SendDlgItemMessageA(hwnd_, IDC_VIEW_FONT, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(name.c_str()));
    }

    void chooseColour(Colour& colour, int sample) {
        chooseSampleColour(hwnd_, item(sample), colour, customColours);
    }

    void chooseEditor() {
        char name[MAX_PATH] = "";
        OPENFILENAMEA chooser{};
        chooser.lStructSize = sizeof chooser;
        chooser.hwndOwner = hwnd_;
        chooser.lpstrFile = name;
        chooser.nMaxFile = sizeof name;
        chooser.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        if (GetOpenFileNameA(&chooser)) SetDlgItemTextA(hwnd_, IDC_VIEW_EDITOR, name);
    }

    void chooseWorkDirectory() {
        BROWSEINFOA request{};
        char display[MAX_PATH] = "";
        request.hwndOwner = hwnd_;
        request.pszDisplayName = display;
        request.lpszTitle = "\x83\x74\x83\x48\x83\x8b\x83\x5f\x82\xf0\x91\x49\x91\xf0\x82\xb5\x82\xc4"
                            "\x82\xad\x82\xbe\x82\xb3\x82\xa2";  // フォルダを選択してください
        request.ulFlags = BIF_RETURNONLYFSDIRS;
        LPITEMIDLIST chosen = SHBrowseForFolderA(&request);
        if (!chosen) return;
        char path[MAX_PATH * 2] = "";
        if (SHGetPathFromIDListA(chosen, path) && std::string(path).size() < MAX_PATH)
            SetDlgItemTextA(hwnd_, IDC_VIEW_WORK_DIR, path);
        CoTaskMemFree(chosen);
    }

    std::string text(int id) const {
        char buffer[1024] = "";
        GetDlgItemTextA(hwnd_, id, buffer, sizeof buffer);
        return buffer;
    }

    int number(int id) const { return static_cast<int>(std::strtol(text(id).c_str(), nullptr, 10)); }

    void accept() {
        colours_.setTodayPair(today_);
        colours_.setDefaultPair(normal_);
        const std::string table = settings_.ProgramDirectory() + ColourTableFile;
        if (!colours_.save(table)) showMessage(hwnd_, MessageTableNotSaved, table);
        const long long life = std::strtoll(text(IDC_VIEW_CACHE_LIFE).c_str(), nullptr, 10);
        if (!cacheLifeInRange(life)) {
            MessageBoxA(hwnd_, "Please enter an integer between 0 and 100.", "Set View",
                        MB_OK | MB_ICONEXCLAMATION);
            HWND field = item(IDC_VIEW_CACHE_LIFE);
            SetFocus(field);
            SendMessageA(field, EM_SETSEL, 0, -1);
            return;
        }
        Settings& s = settings_;
        s.ExtLength = number(IDC_VIEW_EXT_LENGTH);
        s.FileNameLength = number(IDC_VIEW_NAME_LENGTH);
        s.FontHigh = number(IDC_VIEW_HIGH);
        s.FontWide = number(IDC_VIEW_WIDE);
        s.FontName = text(IDC_VIEW_FONT).substr(0, 99);
        s.DateTimeOut = checked(IDC_VIEW_TIME);
        s.TimeOut = checked(IDC_VIEW_SIZE);
        s.AutoOut = checked(IDC_VIEW_AUTO);
        s.TodayColor = checked(IDC_VIEW_TODAY_COLOUR);
        s.DirFindKey = findKeyFromIndex(
            static_cast<int>(SendDlgItemMessageA(hwnd_, IDC_VIEW_DIR_FIND_KEY, CB_GETCURSEL, 0, 0)));
        s.FileFindKey = findKeyFromIndex(
            static_cast<int>(SendDlgItemMessageA(hwnd_, IDC_VIEW_FILE_FIND_KEY, CB_GETCURSEL, 0, 0)));
        s.Editor = text(IDC_VIEW_EDITOR);
        s.FtpWork = text(IDC_VIEW_WORK_DIR);
        s.FtpTime = checked(IDC_VIEW_FTP_TIME);
        s.FtpSaveCache = static_cast<int32_t>(life);
        s.FtpSaveTemp = checked(IDC_VIEW_FTP_SAVE_TEMP);
        EndDialog(hwnd_, IDOK);
    }

    Settings& settings_;
    ExtTable& colours_;
    ColourPair today_;
    ColourPair normal_;
    DisplaySwitchBoxes boxes_;
};
}  // namespace

bool runSetViewDialog(HWND owner, Settings& settings, ExtTable& colours) {
    SetViewDialog dialog(settings, colours);
    return dialog.run(owner);
}
