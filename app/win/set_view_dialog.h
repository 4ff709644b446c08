#pragma once
// The Set View dialog (resource 136): the display and path groups of the
// settings and the two whole-listing colour pairs. True on OK, with settings
// and colours changed in memory and "Color.tbl" written; the caller saves the
// settings and tells the other instances.
#include <windows.h>

#include "panes/ext_table.h"
#include "services/settings.h"

bool runSetViewDialog(HWND owner, Settings& settings, ExtTable& colours);
