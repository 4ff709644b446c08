#pragma once
// Members one extraction would write to the same file: the disk ignores case
// and either separator, and the listing shows every character the code page
// cannot hold as "_", so "A.txt" and "a.txt", or two Korean names, become one
// file and all but one of them would be lost.
#include <string>
#include <vector>

// The file members (names as the archive lists them) that an extraction of
// requested (members or folders, either separator; none for the whole
// archive) writes where another of them goes too: one name of each clash.
std::vector<std::string> collidingMembers(const std::vector<std::string>& files,
                                          const std::vector<std::string>& requested);
