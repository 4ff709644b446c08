#pragma once
// Name conversion the portable core cannot do alone: the platform supplies it
// (the code page 932 calls in the DLLs, iconv natively).
#include <string>
#include <string_view>

namespace arc {

class TextCodec {
public:
    virtual ~TextCodec() = default;
    // Characters code page 932 cannot hold become "_".
    virtual std::string utf8ToSjis(std::string_view utf8) const = 0;
    // Empty when the text is not Shift-JIS.
    virtual std::string sjisToUtf8(std::string_view sjis) const = 0;
};

// True when the bytes are well-formed UTF-8 with at least one character
// beyond ASCII: names from UTF-8 systems that carry no flag saying so.
bool isWideUtf8(std::string_view s);

// Keeps ASCII, turns every other character into "_": enough for fuzzing and
// a safe fallback when the platform offers nothing.
class AsciiCodec final : public TextCodec {
public:
    std::string utf8ToSjis(std::string_view utf8) const override;
    std::string sjisToUtf8(std::string_view sjis) const override;
};

}  // namespace arc
