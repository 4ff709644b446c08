#pragma once
// The command entries of our libraries, apart from the platform: parse the
// command line, then list, extract or pack through a disk. The current
// directory (the disk's root) is the target.
#include <string>
#include <string_view>

#include "archivers/core/disk.h"
#include "archivers/core/text_codec.h"

namespace arc {

enum class Library { UnZip, Zip, Tar, Unlha, Unrar };

// Returns 0 or the interface's error code; `output` gets the listing or one
// line per member (the caller copies it into its buffer).
int runCommand(Library library, std::string_view commandLine, Disk& disk, const TextCodec& codec,
               std::string& output, std::size_t outputLimit);

}  // namespace arc
