#pragma once
// Puts the file `from` in the place of `to` in one step: a reader finds the
// old file whole or the new one, never a part. False when refused (under
// Windows while another process holds `to` open, or `to` is read-only).
#include <string>

bool replaceFile(const std::string& from, const std::string& to);
// A name part that no other writer has at this moment: the process and the
// thread, so that instances saving one table at once never share a file.
std::string writerTag();
