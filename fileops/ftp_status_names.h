#pragma once
// Names of the status codes the internet library reports during an FTP
// session, as the progress window shows them.
#include <cstdint>

// The name of one status code; "UNKNOWN!!" for a code without a name.
const char* ftpStatusName(std::uint32_t code);
