#pragma once
// Private window messages between the main window, its pane, the other
// instances and the helper windows.
constexpr unsigned MsgNoEffect = 0x8002;
constexpr unsigned MsgRefreshRequest = 0x8003;
constexpr unsigned MsgInfoCursorLeft = 0x8004;
constexpr unsigned MsgInfoCursorRight = 0x8005;
constexpr unsigned MsgIncrementalFind = 0x8006;
constexpr unsigned MsgEditWatchBack = 0x8008;
constexpr unsigned MsgReload = 0x8009;
constexpr unsigned MsgGoToPath = 0x800A;
constexpr unsigned MsgLayoutPane = 0x800D;
constexpr unsigned MsgRefreshKeepingMarks = 0x802A;
// The main window to itself: the keyboard focus back to the key receiver,
// after the activation's Tab has been handled.
constexpr unsigned MsgFocusKeyReceiver = 0x8030;
// The main window to itself: write the viewer's block with the newest
// cursor path, once the keys queued before it are handled.
constexpr unsigned MsgViewerPath = 0x8031;

constexpr unsigned EscapeKey = 25;  // what Escape reaches the key map as
