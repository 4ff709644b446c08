#pragma once
// Name conversion between UTF-8 and code page 932 through the platform.
#include "ftp/server_names.h"

namespace ftp {

class WinNameCodec final : public NameCodec {
public:
    std::string utf8ToSjis(std::string_view utf8) const override;
    std::string sjisToUtf8(std::string_view sjis) const override;
};

}  // namespace ftp
