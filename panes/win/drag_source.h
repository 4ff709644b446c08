#pragma once
// Dragging files out of a pane: the data object that offers them as a file
// drop (CF_HDROP in global memory) and the drop source that steers the drag.
//
// OleInitialize must have been called on the calling thread before
// dragFiles; the program does that once at start-up. The factories below
// need no OLE of their own.
#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

// The paths (full, Shift-JIS) as a data object holding one reference, which
// the caller releases. nullptr when memory runs out.
IDataObject* makeFileDataObject(const std::vector<std::string>& paths);

// Cancels on Escape, drops when the left button is up, default cursors.
// One reference for the caller; nullptr when memory runs out.
IDropSource* makeFileDropSource();

// A modal drag of the paths allowing copy, move and link. Returns the effect
// the target chose, 0 when nothing was dropped, the drag was cancelled or
// there is no path to offer. Returns once the button is up.
DWORD dragFiles(const std::vector<std::string>& paths);
