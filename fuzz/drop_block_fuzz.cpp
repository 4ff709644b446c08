// The file-drop block comes from whatever process dropped or copied files:
// nothing is read outside it, and every path it gives is whole and non-empty.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "panes/file_drop_block.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // An exact-size copy lets the sanitizer see a read past the end.
    std::vector<unsigned char> block(data, data + size);
    auto toNarrow = [](std::u16string_view wide) {
        std::string narrow;
        for (char16_t c : wide) narrow += c < 0x80 ? static_cast<char>(c) : '?';
        return narrow;
    };
    for (const auto& path : parseFileDropBlock(block.data(), block.size(), toNarrow)) {
        FUZZ_CHECK(!path.empty());
        FUZZ_CHECK(path.find('\0') == std::string::npos);
    }
    auto narrow = parseFileDropBlock(block.data(), block.size());
    auto rebuilt = buildFileDropBlock(narrow);
    FUZZ_CHECK(parseFileDropBlock(rebuilt.data(), rebuilt.size()) == narrow);
    return 0;
}
