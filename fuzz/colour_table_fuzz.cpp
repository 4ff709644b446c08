// Color.tbl and .EXT files: any text parses, and what the table writes back
// parses to the same table.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "panes/ext_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    ExtTable table;
    table.parse(text);
    const std::string written = table.format();
    ExtTable again;
    again.parse(written);
    FUZZ_CHECK(again.format() == written);
    table.colours("TXT", 0x20);
    table.colours(text.substr(0, 8), static_cast<uint32_t>(size));
    table.isVisible("", 0x10);
    return 0;
}
