// MESSAGE.tbl and the formatter behind every box: any file and any format
// text give a box text within its bound, and never read an argument that is
// not there.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "services/message_table.h"
#include "services/safe_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const std::string path = "C:\\\x95\x5c\\\x83\x5c.txt";
    std::vector<FormatArg> args{FormatArg(path), FormatArg(12345), FormatArg(text)};
    for (int number : {0, 1001, 1010, 2000, 2006, -1}) {
        auto box = prepareMessage(text, number, args);
        if (box) FUZZ_CHECK(box->text.size() <= MaxTextBytes);
    }
    std::string formatted = safeFormat(text, std::span<const FormatArg>(args.data(), size % 4));
    FUZZ_CHECK(formatted.size() <= text.size() * (text.size() + path.size() + 24) + 1);
    MessageTable table(text);
    table.find(static_cast<int>(size));
    return 0;
}
