#pragma once
// The "FtpTime" correction of listed and fetched times.
#include <cstdint>

namespace ftp {

// A LIST line gives the server's wall-clock time without a zone, and the
// parser takes it as UTC. With the correction on, such a time is read as
// Japan time (UTC+9): 9 hours come off; a result more than a day after now
// (a "Mon DD HH:MM" line of last year, or a server clock ahead) goes back
// one year. Exact times (MLSD, MDTM) and unknown times (0) stay as they are.
uint64_t correctedTime(uint64_t fileTime, bool exact, uint64_t nowUtc);

}  // namespace ftp
