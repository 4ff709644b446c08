#pragma once
// The text list of the marked entries that goes to the clipboard, and the
// dialog's check boxes as kept in the settings file.
#include <functional>
#include <string>
#include <string_view>

#include "services/profile.h"
#include "panes/file_list.h"
#include "panes/line_format.h"

struct CopyListOptions {
    bool fileName = false;
    bool path = false;
    bool size = false;
    bool time = false;
    bool total = false;
    bool operator==(const CopyListOptions&) const = default;
};

// Total alone gives nothing to list.
inline bool copyListHasContent(const CopyListOptions& o) {
    return o.fileName || o.path || o.size || o.time;
}

// One "\r\n"-ended line per marked entry in listing order (date and time,
// size, directory, name, as ticked), then with total the count and the summed
// size. Empty when nothing is ticked that lists anything.
std::string markedListText(const FileList& list, const CopyListOptions& options,
                           std::string_view directory,
                           const std::function<LocalTime(const FileEntry&)>& localTime);

CopyListOptions loadCopyListOptions(Profile& profile);
void saveCopyListOptions(Profile& profile, const CopyListOptions& options);
