// Command.TBL: any text parses, and a label maps back to its command name.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "commands/command_labels.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    CommandLabels labels;
    labels.parse(text);
    auto line = text.substr(0, text.find('\n'));
    auto name = line.substr(0, line.find(','));
    labels.labelFor(labels.labelFor(name, true), false);
    KeyBinding binding;
    binding.parameter = std::string(line);
    bindingText(binding, labels);
    return 0;
}
