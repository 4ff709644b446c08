#pragma once
// Name conversion through the platform: UTF-8 to code page 932 and back.
#include "archivers/core/text_codec.h"

namespace arcdll {

class AnsiCodec final : public arc::TextCodec {
public:
    std::string utf8ToSjis(std::string_view utf8) const override;
    std::string sjisToUtf8(std::string_view sjis) const override;
};

}  // namespace arcdll
