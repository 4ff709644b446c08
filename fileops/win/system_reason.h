#pragma once
// The system's own words for why an operation failed, in the user's language.
#include <string>

// Text of a Win32 error code or of a shell file-operation result code; the
// code itself when the system has no text for it.
std::string systemReason(unsigned long code);
