// JUMP.TBL, EXECUTE.TBL and History.tbl: any text parses and settles after one
// save, what a dialog stores survives a save and a load unchanged, and the
// history keeps to its positions.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/table_lines.h"
#include "navigation/key_table.h"
#include "navigation/path_history.h"

namespace {

std::string resaved(std::string_view text) {
    KeyTable table;
    table.parse(text);
    return table.format();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string once = resaved(text);
    FUZZ_CHECK(resaved(once) == once);

    KeyTable stored;
    for (const std::string& value : dialogValues(text, 400)) {
        if (value.empty() || !std::isalnum(static_cast<unsigned char>(value[0]))) continue;
        stored.set(value[0], value.substr(1));
    }
    KeyTable loaded;
    loaded.parse(stored.format());
    FUZZ_CHECK(loaded.format() == stored.format());

    KeyTable table;
    table.parse(text);
    for (char key : {'0', 'a', 'Z', '#', '\0', '\xff'}) table.find(key);
    PathHistory history;
    history.fromKeyTable(table);
    FUZZ_CHECK(history.paths().size() <= PathHistory::KeyedPositions);
    history.record(std::string(text.substr(0, 40)));
    for (int i = 0; i < 40; ++i) history.step(i % 3 ? HistoryStep::Older : HistoryStep::Newer);
    FUZZ_CHECK(history.position() >= 0 &&
               history.position() < static_cast<int>(PathHistory::Positions));
    return 0;
}
