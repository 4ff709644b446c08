#pragma once
// FTP paths "|host/dir" and "|host:port/dir", the host key they give the
// account and the cache, and the names derived from them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ftp {

constexpr uint16_t DefaultPort = 21;

struct FtpPath {
    std::string host;  // without the port
    uint16_t port = DefaultPort;
    std::string path;  // "/"-separated, "" or beginning with "/"
    // "host" for port 21, "host:port" otherwise: the key of the account and
    // of the listing cache.
    std::string hostKey() const;
    // "|" host key, then the path.
    std::string canonical() const;
};

// None when the text is no FTP path or its host or port is not usable. The
// host ends at the first "\" or "/"; "\" in the path becomes "/". A port
// is written after the last ":" of the host ("[v6]:port" for IPv6).
std::optional<FtpPath> parseFtpPath(std::string_view text);

// The parent directory path ("/a/b" gives "/a", "/a" gives "/", "/" gives "/").
std::string parentPath(std::string_view path);
// Number of "/" in a canonical path; the ".." entry is added from three on.
int slashCount(std::string_view canonical);

// Where an FTP path lies below the FTP work directory: host key, then the
// path with "\" separators (":" of the key becomes "_"). Other paths map to
// themselves.
std::string localMirror(std::string_view ftpWorkDirectory, std::string_view path);

// The listing cache's key of a path: "\\" becomes "!!", then every "\" "/".
std::string cacheKey(std::string_view path);
// The saved file of a host cache: the host key with "\", "|", ">", "/" and
// ":" turned into "_".
std::string cacheFileName(std::string_view hostKey);

}  // namespace ftp
