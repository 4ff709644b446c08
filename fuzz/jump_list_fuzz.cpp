// JUMPLST.tbl: any text parses, the names and paths a user types survive a
// save and a load unchanged, and the name search stays inside the list.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/table_lines.h"
#include "navigation/jump_list.h"

namespace {

std::string resaved(std::string_view text) {
    JumpList list;
    list.parse(text);
    return list.format();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    resaved(text);

    // A field holding the separator itself cannot be told apart from two
    // fields in this format; every other typed text must come back.
    JumpList typed;
    auto values = dialogValues(text, JumpList::FieldLimit);
    for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
        const std::string row = "\"" + values[i] + "\",\"" + values[i + 1] + "\"";
        if (row.find("\",\"") != row.rfind("\",\"")) continue;
        typed.add({values[i], values[i + 1]});
    }
    JumpList loaded;
    loaded.parse(typed.format());
    FUZZ_CHECK(loaded.entries().size() == typed.entries().size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        FUZZ_CHECK(loaded.entries()[i].name == typed.entries()[i].name);
        FUZZ_CHECK(loaded.entries()[i].path == typed.entries()[i].path);
    }

    JumpList list;
    list.parse(text);
    auto line = text.substr(0, text.find('\n'));
    auto found = list.search(line.substr(0, 16), size);
    if (found) FUZZ_CHECK(*found < list.size());
    if (list.size()) list.move(size % list.size(), size & 1);
    return 0;
}
