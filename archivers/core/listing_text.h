#pragma once
// The readable listing the "l" commands write: one line per member, columns
// aligned by display width (a double-byte character takes two cells).
#include <string>
#include <vector>

#include "archivers/core/member.h"

namespace arc {

// Stops adding lines once the text passes `limit` bytes (the caller's buffer
// size), so a huge archive costs no more than the buffer.
std::string listingText(const std::vector<Member>& members, std::size_t limit);

}  // namespace arc
