#pragma once
// The link to the viewer Pelko: the "PELKO" block it reads, starting and
// closing it, scrolling it. Only instance 0 fills the block and starts or
// closes the viewer; any instance may scroll it.
#include <windows.h>

#include <string>

#include "services/settings.h"
#include "services/win/view_request_block.h"

class ViewerLink {
public:
    explicit ViewerLink(const Settings& settings) : settings_(settings) {}

    // The path the viewer is to show. Written at once, or, once a window is
    // given, when that window handles the MsgViewerPath posted to it: after
    // the keys queued before it, so a held key takes the cross-process
    // mutex once per burst instead of at every move.
    void show(const std::string& path);
    void deferWritesTo(HWND window) { notify_ = window; }
    void writePending();
    // Asks a running viewer to close; false when none runs.
    bool closeIfRunning();
    // Starts the viewer minimised on directory; false when it could not be
    // started. The owner then comes to the front and waits for the viewer.
    bool start(HWND owner, const std::string& directory);
    void awaitWindow();
    // After a start the owner comes to the front at its next few timer ticks,
    // as the viewer's window may take the front while it appears.
    bool takeActivation();
    // Arrow keys to the viewer: dy > 0 up, dx > 0 right, one key per step.
    void scroll(int dx, int dy);
    void close() { block_.close(); }

private:
    bool linked() const { return settings_.InstanceNumber == 0; }

    const Settings& settings_;
    ViewRequestBlock block_;
    unsigned char flag_ = 1;
    HWND notify_ = nullptr;
    std::string pending_;
    bool hasPending_ = false;
    bool posted_ = false;
    int activations_ = 0;
};
