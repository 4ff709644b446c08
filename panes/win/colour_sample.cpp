#include "panes/win/colour_sample.h"

#include <commdlg.h>

#include <optional>

#include "base/win/handle.h"

void drawColourSample(const DRAWITEMSTRUCT& item, ColourPair pair, const std::string& text,
                      HGDIOBJ font) {
    HDC dc = item.hDC;
    SetDCBrushColor(dc, pair.back);
    FillRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    {
        std::optional<SelectedObject> selected;
        if (font) selected.emplace(dc, font);
        SetTextColor(dc, pair.text);
        RECT r = item.rcItem;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    SetBkMode(dc, oldMode);
}

bool chooseSampleColour(HWND owner, HWND sample, Colour& colour, COLORREF (&customColours)[16]) {
    CHOOSECOLORA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.rgbResult = colour;
    chooser.lpCustColors = customColours;
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorA(&chooser)) return false;
    colour = chooser.rgbResult;
    InvalidateRect(sample, nullptr, TRUE);
    return true;
}
