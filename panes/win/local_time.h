#pragma once
#include "panes/file_entry.h"
#include "panes/line_format.h"

// An entry's last write time in the platform's local time; zero when it
// cannot be converted.
LocalTime localTimeOf(const FileEntry& entry);
