#include "info/update_gate.h"

bool UpdateGate::arrive() {
    // Busy first, then the state: a stop that sees busy clear has set its
    // state before this looks at it, so nothing is applied behind it.
    busy_ = true;
    const int behind = --pending_;
    const int s = state_.load();
    if (behind < 2 && (s == InfoCreated || s == InfoRunning)) {
        state_ = InfoApplying;
        return true;
    }
    busy_ = false;
    return false;
}

void UpdateGate::finished() {
    int applying = InfoApplying;
    state_.compare_exchange_strong(applying, InfoRunning);
    busy_ = false;
}

bool UpdateGate::stopRequested() {
    int s = state_.load();
    // A stop during an update takes over from it once it finishes.
    while (s != InfoStopping && s != InfoStopped && !state_.compare_exchange_weak(s, InfoStopping)) {
    }
    return pending_.load() == 0 && !busy_.load();
}
