#include "fileops/win/attribute_dialog.h"

#include <array>
#include <cstdio>

#include "base/win/dialog_object.h"
#include "fileops/attribute_values.h"
#include "fileops/win/attribute_dialog_ids.h"

namespace {

struct CheckBox {
    int id;
    bool AttributeChecks::*flag;
};

constexpr CheckBox CheckBoxes[] = {
    {IDC_ATTRIBUTE_READONLY, &AttributeChecks::readOnly},
    {IDC_ATTRIBUTE_HIDE, &AttributeChecks::hidden},
    {IDC_ATTRIBUTE_ARCHIVE, &AttributeChecks::archive},
    {IDC_ATTRIBUTE_SYSTEM, &AttributeChecks::system},
};

// In TimeField order.
constexpr int TimeFieldIds[TimeFieldCount] = {
    IDC_ATTRIBUTE_YEAR, IDC_ATTRIBUTE_MONTH,  IDC_ATTRIBUTE_DAY,
    IDC_ATTRIBUTE_HOUR, IDC_ATTRIBUTE_MINUTE, IDC_ATTRIBUTE_SECOND,
};

SYSTEMTIME shownTime(const std::vector<AttributeSubject>& subjects) {
    SYSTEMTIME st{};
    if (subjects.size() == 1) {
        FILETIME local;
        if (FileTimeToLocalFileTime(&subjects.front().lastWrite, &local) &&
            FileTimeToSystemTime(&local, &st)) {
            return st;
        }
    }
    GetLocalTime(&st);
    return st;
}

class AttributeDialog : public DialogObject<AttributeDialog> {
public:
    explicit AttributeDialog(const std::vector<AttributeSubject>& subjects) : subjects_(subjects) {}

    INT_PTR run(HWND owner) { return runModal(owner, IDD_ATTRIBUTE); }

    AttributeChoice choice;

    void initialise() {
        std::vector<std::string> names;
        names.reserve(subjects_.size());
        for (const AttributeSubject& subject : subjects_) names.push_back(subject.name);
        SetDlgItemTextA(hwnd_, IDC_ATTRIBUTE_NAME, attributeSubjectName(names).c_str());

        AttributeChecks checks = initialAttributeChecks(
            subjects_.size(), subjects_.empty() ? 0 : subjects_.front().attributes);
        for (const CheckBox& box : CheckBoxes) {
            CheckDlgButton(hwnd_, box.id, checks.*box.flag ? BST_CHECKED : BST_UNCHECKED);
        }

        SYSTEMTIME st = shownTime(subjects_);
        const int values[TimeFieldCount] = {st.wYear, st.wMonth,  st.wDay,
                                            st.wHour, st.wMinute, st.wSecond};
        for (std::size_t i = 0; i < TimeFieldCount; ++i) {
            char text[16];
            std::snprintf(text, sizeof text, i == 0 ? "%d" : "%02d", values[i]);
            SendDlgItemMessageA(hwnd_, TimeFieldIds[i], EM_LIMITTEXT, i == 0 ? 4 : 2, 0);
            SetDlgItemTextA(hwnd_, TimeFieldIds[i], text);
        }
        CheckDlgButton(hwnd_, IDC_ATTRIBUTE_TIME, BST_UNCHECKED);
        CheckDlgButton(hwnd_, IDC_ATTRIBUTE_SUBDIRECTORY, BST_CHECKED);
        enableTimeFields();
    }

    INT_PTR handle(UINT message, WPARAM wp, LPARAM) {
        if (message != WM_COMMAND) return FALSE;
        switch (LOWORD(wp)) {
        case IDOK:
            if (accept()) EndDialog(hwnd_, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(hwnd_, IDCANCEL);
            return TRUE;
        case IDC_ATTRIBUTE_TIME:
            if (HIWORD(wp) == BN_CLICKED) enableTimeFields();
            return TRUE;
        }
        return FALSE;
    }

private:
    bool checked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

    void enableTimeFields() {
        BOOL on = checked(IDC_ATTRIBUTE_TIME);
        for (int id : TimeFieldIds) EnableWindow(GetDlgItem(hwnd_, id), on);
    }

    void refuse(const TimeCheck& check) {
        MessageBoxA(hwnd_, timeFieldMessage(check).c_str(), timeMessageCaption().c_str(),
                    MB_OK | MB_ICONWARNING);
        HWND field = GetDlgItem(hwnd_, TimeFieldIds[static_cast<std::size_t>(check.badField)]);
        // Through the dialog manager so the text comes selected for retyping.
        SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    }

    bool accept() {
        AttributeChecks checks;
        for (const CheckBox& box : CheckBoxes) checks.*box.flag = checked(box.id);
        AttributeChoice made;
        made.attributes = attributeValue(checks);
        made.recurse = checked(IDC_ATTRIBUTE_SUBDIRECTORY);
        made.setTime = checked(IDC_ATTRIBUTE_TIME);
        if (made.setTime) {
            std::array<std::string, TimeFieldCount> texts;
            for (std::size_t i = 0; i < TimeFieldCount; ++i) {
                char text[32] = "";
                GetDlgItemTextA(hwnd_, TimeFieldIds[i], text, sizeof text);
                texts[i] = text;
            }
            TimeCheck check = checkTimeFields(texts);
            if (!check.ok) {
                refuse(check);
                return false;
            }
            SYSTEMTIME st{};
            st.wYear = static_cast<WORD>(check.time.year);
            st.wMonth = static_cast<WORD>(check.time.month);
            st.wDay = static_cast<WORD>(check.time.day);
            st.wHour = static_cast<WORD>(check.time.hour);
            st.wMinute = static_cast<WORD>(check.time.minute);
            st.wSecond = static_cast<WORD>(check.time.second);
            FILETIME local;
            if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &made.time)) {
                // Checked above; a platform that still refuses gets the year questioned.
                check.ok = false;
                check.badField = TimeField::Year;
                refuse(check);
                return false;
            }
        }
        choice = made;
        return true;
    }

    const std::vector<AttributeSubject>& subjects_;
};

}  // namespace

bool runAttributeDialog(HWND owner, const std::vector<AttributeSubject>& subjects,
                        AttributeChoice& choice) {
    AttributeDialog dialog(subjects);
    if (dialog.run(owner) != IDOK) return false;
    choice = dialog.choice;
    return true;
}
