// KEY.TBL and .KEY files: any text parses, the written map reads back the same,
// and lookups never step outside the map.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "commands/key_map.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    KeyMap map;
    map.parse(text);
    const std::string written = map.format();
    KeyMap again;
    again.parse(written);
    FUZZ_CHECK(again.format() == written);
    applyForcedBindings(map);
    map.sortForDisplay();
    for (int key : {0, 13, 0x26, 0x28, 0x70, 255, 65535}) map.lookup(key, size & 1, size & 2, size & 4);
    if (!map.empty()) map.remove(static_cast<int>(size % (map.size() + 2)) - 1);
    return 0;
}
