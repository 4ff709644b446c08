#pragma once
// The text of commands and the parts of replies that carry data: passive
// addresses, the current directory, the features, sizes and times.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ftp/reply.h"

namespace ftp {

// "VERB arg\r\n" ("VERB\r\n" without an argument). None when the argument
// holds CR, LF or NUL: a name must never smuggle in a second command.
std::optional<std::string> commandLine(std::string_view verb, std::string_view argument = {});

struct HostPort {
    std::string host;  // dotted IPv4, or empty when only the port is given
    uint16_t port = 0;
};

// "PORT h1,h2,h3,h4,p1,p2"; none for an address that is not dotted IPv4.
std::optional<std::string> portArgument(std::string_view ipv4, uint16_t port);
// "|1|a.b.c.d|port|" or "|2|v6|port|".
std::string eprtArgument(std::string_view address, uint16_t port);
// 227 "(h1,h2,h3,h4,p1,p2)" anywhere in the text.
std::optional<HostPort> parsePasv(const Reply& reply);
// 229 "(|||port|)" with any printable delimiter.
std::optional<uint16_t> parseEpsv(const Reply& reply);
// 257 "\"/a \"\"b\"\"\" ..." gives "/a \"b\"".
std::optional<std::string> parsePwd(const Reply& reply);

struct Features {
    bool mlsd = false;   // MLST announced: MLSD lists with facts
    bool utf8 = false;   // names travel in UTF-8
    bool size = false;
    bool mdtm = false;
    bool epsv = false;
    bool rest = false;
};
// The 211 reply to FEAT; anything else gives no features.
Features parseFeatures(const Reply& reply);

// 213 "YYYYMMDDHHMMSS[.fff]" in UTC, as a file time (100 ns since 1601).
std::optional<uint64_t> parseMdtm(const Reply& reply);
std::optional<uint64_t> parseSize(const Reply& reply);

}  // namespace ftp
