#include "panes/win/command_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include "base/win/dialog_object.h"
#include "base/win/list_view.h"
#include "base/win/handle.h"
#include "base/win/window_text.h"
#include "panes/command_dialog_rules.h"
#include "panes/win/colour_sample.h"
#include "panes/win/command_dialog_ids.h"
#include "services/message_numbers.h"
#include "services/table_files.h"
#include "services/win/message_box.h"

namespace {

// In the order of AttributeChoice.
constexpr int RadioIds[AttributeChoiceCount] = {IDC_COMMAND_READONLY, IDC_COMMAND_SYSTEM,
                                                IDC_COMMAND_HIDDEN, IDC_COMMAND_DIRECTORY,
                                                IDC_COMMAND_ARCHIVE};

enum Column { ColumnExt, ColumnCommand, ColumnAttrib, ColumnColor, ColumnCount };

struct ColumnSpec {
    const char* title;
    int width;  // pixels
    int format;
};
constexpr ColumnSpec Columns[ColumnCount] = {
    {"Ext", 30, LVCFMT_LEFT},
    {"Command", 170, LVCFMT_LEFT},
    {"Attrib", 40, LVCFMT_CENTER},
    {"Color", 30, LVCFMT_LEFT},
};

// The colour chooser's custom colours last for the whole run, so a colour
// picked for one rule is at hand for the next.
COLORREF customColours[16] = {
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
};

void fill(HDC dc, const RECT& rect, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void frame(HDC dc, const RECT& rect, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void drawText(HDC dc, RECT rect, const std::string& text, COLORREF colour, UINT format) {
    SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

std::string withSeparator(std::string directory) {
    if (!directory.empty() && directory.back() != '\\' && directory.back() != '/')
        directory += '\\';
    return directory;
}

class CommandDialog : public DialogObject<CommandDialog, FALSE> {
public:
    CommandDialog(const std::string& programDirectory, const ExtTable& table)
        : programDirectory_(withSeparator(programDirectory)), table_(table) {}

    // True when closed with OK.
    bool run(HWND owner) {
        INT_PTR result =
            runModal(owner, IDD_COMMAND, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS);
        return result == IDOK;
    }
    const ExtTable& table() const { return table_; }

private:
    friend DialogObject;
    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp) {
        switch (message) {
        case WM_COMMAND:
            command(LOWORD(wp), HIWORD(wp));
            return TRUE;
        case WM_NOTIFY:
            return notify(*reinterpret_cast<NMHDR*>(lp));
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (item.CtlID == IDC_COMMAND_LIST) drawRow(item);
            if (item.CtlID == IDC_COMMAND_SAMPLE) drawSample(item);
            return TRUE;
        }
        }
        return FALSE;
    }


    void initialise() {
        list_ = item(IDC_COMMAND_LIST);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        for (int c = 0; c < ColumnCount; ++c) {
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
            column.fmt = Columns[c].format;
            column.cx = Columns[c].width;
            column.pszText = const_cast<char*>(Columns[c].title);
            column.iSubItem = c;
            SendMessageA(list_, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
        }
        // The position never moves: each arrow press only reports its
        // direction, so neither end of the range can swallow a press.
        SendMessageA(item(IDC_COMMAND_SPIN), UDM_SETRANGE32, static_cast<WPARAM>(-1), 1);
        SendMessageA(item(IDC_COMMAND_SPIN), UDM_SETPOS32, 0, 0);

        fillList(-1);
        RuleControls blank;
        blank.textColor = table_.defaultPair().text;
        blank.backColor = table_.defaultPair().back;
        showControls(blank);
        SetFocus(list_);
    }

    void command(int id, int code) {
        switch (id) {
        case IDC_COMMAND_READONLY:
        case IDC_COMMAND_SYSTEM:
        case IDC_COMMAND_HIDDEN:
        case IDC_COMMAND_DIRECTORY:
        case IDC_COMMAND_ARCHIVE:
            if (code == BN_CLICKED) attributeChosen();
            break;
        case IDC_COMMAND_EXT:
            if (code == EN_CHANGE) InvalidateRect(item(IDC_COMMAND_SAMPLE), nullptr, TRUE);
            break;
        case IDC_COMMAND_TEXT_COLOUR:
            chooseSampleColour(hwnd_, item(IDC_COMMAND_SAMPLE), textColour_, customColours);
            break;
        case IDC_COMMAND_BACK_COLOUR:
            chooseSampleColour(hwnd_, item(IDC_COMMAND_SAMPLE), backColour_, customColours);
            break;
        case IDC_COMMAND_SET:
            set();
            break;
        case IDC_COMMAND_DELETE:
            fillList(deleteRule(table_, selectedRow()));
            break;
        case IDC_COMMAND_SAVE:
            saveFile();
            break;
        case IDC_COMMAND_LOAD:
            loadFile();
            break;
        case IDOK:
        case IDCANCEL:
            EndDialog(hwnd_, id);
            break;
        }
    }

    INT_PTR notify(const NMHDR& header) {
        if (header.idFrom == IDC_COMMAND_LIST && header.code == LVN_ITEMCHANGED) {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            bool nowSelected = (change.uNewState & LVIS_SELECTED) != 0;
            bool wasSelected = (change.uOldState & LVIS_SELECTED) != 0;
            if (!filling_ && (change.uChanged & LVIF_STATE) && nowSelected && !wasSelected)
                showRule(change.iItem);
            return TRUE;
        }
        if (header.idFrom == IDC_COMMAND_SPIN && header.code == UDN_DELTAPOS) {
            const auto& spin = reinterpret_cast<const NMUPDOWN&>(header);
            // The upper arrow raises the position and moves the row up.
            if (spin.iDelta != 0)
                fillList(moveRule(table_, selectedRow(), spin.iDelta > 0 ? -1 : 1));
            SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);  // keep the position
            return TRUE;
        }
        return FALSE;
    }

    int selectedRow() const {
        return selectedListRow(list_);
    }

    // The texts are kept in the items too, for anyone who reads the list.
    void fillList(int select) {
        filling_ = true;
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
        const std::vector<ExtRule>& rules = table_.rules();
        for (std::size_t i = 0; i < rules.size(); ++i) {
            LVITEMA row{};
            row.mask = LVIF_TEXT | LVIF_PARAM;
            row.iItem = static_cast<int>(i);
            row.pszText = const_cast<char*>(rules[i].ext.c_str());
            row.lParam = static_cast<LPARAM>(i);
            SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
            std::string letter = attributeLetter(rules[i].attributeMask);
            setCellText(static_cast<int>(i), ColumnCommand, rules[i].command);
            setCellText(static_cast<int>(i), ColumnAttrib, letter);
        }
        if (select >= 0 && static_cast<std::size_t>(select) < rules.size()) {
            selectListRow(list_, select);
        }
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
        filling_ = false;
    }

    void setCellText(int row, int column, const std::string& text) {
        LVITEMA cell{};
        cell.iSubItem = column;
        cell.pszText = const_cast<char*>(text.c_str());
        SendMessageA(list_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
    }

    void showRule(int row) {
        if (row < 0 || static_cast<std::size_t>(row) >= table_.rules().size()) return;
        showControls(controlsForRule(table_.rules()[row]));
    }

    void showControls(const RuleControls& controls) {
        CheckRadioButton(hwnd_, IDC_COMMAND_READONLY, IDC_COMMAND_ARCHIVE,
                         RadioIds[static_cast<int>(controls.attribute)]);
        SetWindowTextA(item(IDC_COMMAND_EXT), controls.ext.c_str());
        EnableWindow(item(IDC_COMMAND_EXT), controls.attribute == AttributeChoice::Archive);
        SetWindowTextA(item(IDC_COMMAND_TEXT), controls.command.c_str());
        textColour_ = controls.textColor;
        backColour_ = controls.backColor;
        InvalidateRect(item(IDC_COMMAND_SAMPLE), nullptr, TRUE);
    }

    RuleControls readControls() const {
        RuleControls controls;
        for (int i = 0; i < AttributeChoiceCount; ++i) {
            if (IsDlgButtonChecked(hwnd_, RadioIds[i]) == BST_CHECKED)
                controls.attribute = static_cast<AttributeChoice>(i);
        }
        controls.ext = windowText(item(IDC_COMMAND_EXT));
        controls.command = windowText(item(IDC_COMMAND_TEXT));
        controls.textColor = textColour_;
        controls.backColor = backColour_;
        return controls;
    }

    void attributeChosen() {
        bool archive = IsDlgButtonChecked(hwnd_, IDC_COMMAND_ARCHIVE) == BST_CHECKED;
        if (!archive) SetWindowTextA(item(IDC_COMMAND_EXT), "");
        EnableWindow(item(IDC_COMMAND_EXT), archive);
    }

    void set() {
        int row = setRule(table_, selectedRow(), ruleFromControls(readControls()));
        fillList(row);
        showRule(row);  // the fields show the rule as stored
    }

    bool chooseFile(bool save, std::string& path) {
        std::string folder = programDirectory_ + "Default";
        CreateDirectoryA(folder.c_str(), nullptr);
        char name[MAX_PATH] = "";
        OPENFILENAMEA chooser{};
        chooser.lStructSize = sizeof chooser;
        chooser.hwndOwner = hwnd_;
        chooser.lpstrFilter = "Ext Files (*.EXT)\0*.EXT\0";
        chooser.lpstrFile = name;
        chooser.nMaxFile = sizeof name;
        chooser.lpstrInitialDir = folder.c_str();
        chooser.lpstrDefExt = "EXT";
        chooser.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                        (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
        if (!(save ? GetSaveFileNameA(&chooser) : GetOpenFileNameA(&chooser))) return false;
        path = name;
        return true;
    }

    void saveFile() {
        std::string path;
        if (chooseFile(true, path) && !table_.save(path)) showMessage(hwnd_, MessageTableNotSaved, path);
    }

    void loadFile() {
        std::string path;
        if (!chooseFile(false, path)) return;
        table_.load(path);
        fillList(-1);
    }

    void drawRow(const DRAWITEMSTRUCT& draw) {
        if (draw.itemID >= table_.rules().size()) return;
        const ExtRule& rule = table_.rules()[draw.itemID];
        HDC dc = draw.hDC;
        bool selected = (draw.itemState & ODS_SELECTED) != 0;
        COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        fill(dc, draw.rcItem, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        int oldMode = SetBkMode(dc, TRANSPARENT);
        SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list_, WM_GETFONT, 0, 0)));

        RECT cell = draw.rcItem;
        for (int c = 0; c < ColumnCount; ++c) {
            int width = static_cast<int>(SendMessageA(list_, LVM_GETCOLUMNWIDTH, c, 0));
            cell.right = cell.left + width;
            RECT inner = cell;
            InflateRect(&inner, -1, -1);
            RECT padded = inner;
            InflateRect(&padded, -3, 0);
            switch (c) {
            case ColumnExt: {
                // The selection shows as a thin band around the rule's own
                // colours. The column is narrow: a long ext is cut, not
                // replaced by an ellipsis that would hide all of it.
                fill(dc, inner, rule.backColor);
                RECT text = inner;
                text.left += 2;
                // A rule with equal colours hides its files; its ext must
                // still be readable here.
                SetTextColor(dc, rule.textColor != rule.backColor ? rule.textColor
                                                                  : rule.backColor ^ 0xFFFFFF);
                DrawTextA(dc, rule.ext.c_str(), static_cast<int>(rule.ext.size()), &text,
                          DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
                break;
            }
            case ColumnCommand:
                drawText(dc, padded, rule.command, text, DT_LEFT);
                break;
            case ColumnAttrib:
                drawText(dc, padded, attributeLetter(rule.attributeMask), text, DT_CENTER);
                break;
            case ColumnColor: {
                RECT swatch = inner;
                InflateRect(&swatch, -4, -1);
                if (swatch.right > swatch.left) {
                    RECT half = swatch;
                    half.right = swatch.left + (swatch.right - swatch.left) / 2;
                    fill(dc, half, rule.textColor);
                    half.left = half.right;
                    half.right = swatch.right;
                    fill(dc, half, rule.backColor);
                    frame(dc, swatch, text);
                }
                break;
            }
            }
            cell.left = cell.right;
        }
        if (draw.itemState & ODS_FOCUS) DrawFocusRect(dc, &draw.rcItem);
        SetBkMode(dc, oldMode);
    }

    void drawSample(const DRAWITEMSTRUCT& draw) {
        const std::string ext = windowText(item(IDC_COMMAND_EXT));
        drawColourSample(draw, {textColour_, backColour_}, ext.empty() ? "Sample" : "sample." + ext,
                         reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd_, WM_GETFONT, 0, 0)));
    }

    std::string programDirectory_;
    ExtTable table_;
    HWND list_ = nullptr;
    Colour textColour_ = 0xFFFFFF;
    Colour backColour_ = 0;
    bool filling_ = false;  // selections made while listing load nothing
};

}  // namespace

bool runCommandDialog(HWND owner, const std::string& programDirectory, ExtTable& table) {
    CommandDialog dialog(programDirectory, table);
    if (!dialog.run(owner)) return false;
    table = dialog.table();
    // The colours work until the window closes either way; the user must know
    // they will not come back at the next start.
    const std::string file = withSeparator(programDirectory) + ColourTableFile;
    if (!table.save(file)) showMessage(owner, MessageTableNotSaved, file);
    return true;
}
