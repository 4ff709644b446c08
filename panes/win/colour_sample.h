#pragma once
// The owner-drawn sample of a text colour on a background colour that the
// colour dialogs show beside their colour buttons, and the colour chooser
// that changes one of the two.
#include <windows.h>

#include <string>

#include "panes/ext_table.h"

// Fills the item with the background and centres text on it; font nullptr
// keeps the one the device context holds.
void drawColourSample(const DRAWITEMSTRUCT& item, ColourPair pair, const std::string& text,
                      HGDIOBJ font = nullptr);

// The platform's colour chooser, opened at colour with the dialog's own
// custom colours; on OK stores the choice and redraws sample. False when
// cancelled.
bool chooseSampleColour(HWND owner, HWND sample, Colour& colour, COLORREF (&customColours)[16]);
