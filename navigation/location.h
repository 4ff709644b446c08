#pragma once
// Where a window is: the directory it shows (read by its watcher thread
// too), the one it showed before, the remembered directory of every drive,
// and the history of what it has shown.
#include <mutex>
#include <string>

#include "navigation/path_history.h"
#include "services/drive_memory.h"

class Location {
public:
    std::string current() const;
    void setCurrent(std::string path);
    const std::string& previous() const { return previous_; }
    DriveMemory& drives() { return drives_; }
    const DriveMemory& drives() const { return drives_; }
    PathHistory& history() { return history_; }

    // Where to return when a change to slot cannot be listed: the slot's
    // remembered directory, or the present one when it has none.
    std::string fallback(int slot) const;
    // Begins a change: a non-empty path makes the present directory the
    // previous one. Answers the path in the form the drive memory gives it.
    std::string beginChange(const std::string& path, int slot);
    // Ends it with what is shown now. A directory that was listed becomes its
    // slot's memory, the current slot and, unless keepHistory, the newest
    // history entry.
    void arrive(const std::string& shown, int slot, bool listed, bool keepHistory);

private:
    mutable std::mutex lock_;
    std::string current_;
    std::string previous_;
    DriveMemory drives_;
    PathHistory history_;
};
