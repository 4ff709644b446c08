#pragma once
// The path a request hands over, and where an FTP path's file lies locally.
#include <cstddef>
#include <string>
#include <string_view>

// The path area of the request block (bytes 1 on), up to its NUL; a block
// without one is read to its last byte and no further.
std::string blockPath(const unsigned char* block, std::size_t size);

// "|host/dir/file" under the FTP work directory: work "\" host "\" dir "\"
// file, with every "/" turned into "\" and doubled "\" collapsed.
std::string ftpCachePath(std::string_view ftpPath, std::string_view ftpWork);
