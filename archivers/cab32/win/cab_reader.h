#pragma once
// Reading cabinets through the platform's FDI: the member list, and
// extraction of the chosen members below a disk's root.
#include <string>
#include <vector>

#include "archivers/core/disk.h"
#include "archivers/core/extract_run.h"
#include "archivers/core/member.h"

namespace cab {

// False when the file is no cabinet or FDI gives up on it.
bool listCabinet(const std::string& path, std::vector<arc::Member>& members);

arc::ExtractResult extractCabinet(const std::string& path, arc::Disk& disk, const arc::ExtractOptions& options,
                                  std::string& log);

}  // namespace cab
