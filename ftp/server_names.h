#pragma once
// Names between the server's bytes and code page 932, and the check that
// keeps a listed name from leaving its directory or carrying a command.
#include <string>
#include <string_view>

#include "ftp/listing_parse.h"

namespace ftp {

// The conversions the platform does (MultiByteToWideChar in the program,
// iconv in the tests).
class NameCodec {
public:
    virtual ~NameCodec() = default;
    // Characters code page 932 cannot hold become "?", which the panes know
    // as a lost character.
    virtual std::string utf8ToSjis(std::string_view utf8) const = 0;
    // Empty when the text is not valid Shift-JIS.
    virtual std::string sjisToUtf8(std::string_view sjis) const = 0;
};

bool isValidUtf8(std::string_view s);

// A name as the server sent it, in code page 932: UTF-8 is converted when
// the server announced it and the bytes are well-formed UTF-8; otherwise
// they are taken to be Shift-JIS already.
std::string nameFromServer(std::string_view bytes, bool utf8, const NameCodec& codec);
// A code page 932 name or path as the server expects it; empty when it cannot
// be said in the server's encoding.
std::string nameToServer(std::string_view sjis, bool utf8, const NameCodec& codec);

// False for a name that is empty, "." or "..", holds "/", "\" (not a trail
// byte), CR, LF or NUL, or begins with a drive letter and ":".
bool isSafeListedName(std::string_view sjisName);

// Converts every name and leaves out the unsafe ones; returns how many went.
int acceptListedNames(Listing& listing, bool utf8, const NameCodec& codec);

}  // namespace ftp
