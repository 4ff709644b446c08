// Paths typed into the jump box and patterns typed into masks and finds: the
// resolver never yields a longer walk than it was given, and the compiled
// pattern agrees with the plain matcher on every name.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/name_pattern.h"
#include "base/wildcard.h"
#include "fuzz/fuzz_check.h"
#include "panes/path_resolution.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto cut = text.find('\0');
    std::string_view first = text.substr(0, cut);
    std::string_view second = cut == std::string_view::npos ? "" : text.substr(cut + 1);

    for (std::string_view current : {"C:\\", "C:\\\x95\x5c\\a b", "\\\\server\\share\\d", ""}) {
        auto resolved = resolvePath(current, first);
        FUZZ_CHECK(resolved.size() <= current.size() + first.size() + 2);
    }
    NamePattern pattern(first);
    FUZZ_CHECK(pattern.matches(second) == wildcardMatch(first, second));
    return 0;
}
