#pragma once
// The info window's update thread: its states, and the rule that lets a
// burst of cursor moves show only where the cursor stopped.
#include <atomic>

enum InfoThreadState : int {
    InfoCreated = 1,
    InfoApplying = 2,
    InfoRunning = 3,
    InfoStopping = 4,
    InfoStopped = 5,
};

// Counts posted updates and decides, as each one arrives on the thread,
// whether it is still worth showing: only while fewer than two others wait
// behind it, so a held cursor key never builds a backlog.
class UpdateGate {
public:
    void posted() { ++pending_; }
    // On the thread for each update; true when it is to be applied, and the
    // state is then "applying" until finished() is called.
    bool arrive();
    void finished();
    // True when the thread may end now: stopping, nothing queued, nothing
    // being applied.
    bool stopRequested();
    int pending() const { return pending_.load(); }
    int state() const { return state_.load(); }
    void setState(InfoThreadState s) { state_ = s; }

private:
    std::atomic<int> pending_{0};
    std::atomic<int> state_{InfoCreated};
    std::atomic<bool> busy_{false};
};
