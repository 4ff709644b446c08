#pragma once
// The dialog (resource 150) that chooses what the copied list of marked
// entries shows; its boxes live in the settings section "COPY_CLIPBORAD".
#include <windows.h>

#include "services/settings.h"
#include "panes/marked_list_text.h"

// Shows the boxes as last stored. On OK the boxes go into options and the
// settings file; the answer is true only when one of Size, Time, Path or
// Filename is ticked (Total alone lists nothing). Cancel changes nothing.
bool runCopyListDialog(HWND owner, Settings& settings, CopyListOptions& options);
