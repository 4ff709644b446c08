#pragma once
// The Sort dialog (resource 135): which of the five keys sort the listing,
// their priorities and directions, and whether tagged files come first.
#include <windows.h>

#include "services/settings.h"

// Shows settings.Sort. On OK stores the keys into settings.Sort, saves the
// settings and answers true; the caller then sorts and lays out the listing.
// Cancel changes nothing.
bool runSortDialog(HWND owner, Settings& settings);
