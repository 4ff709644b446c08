// ExecCmd.tbl: any text parses and settles after one save, and the lines the
// dialog accepts survive a save and a load unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fileops/exec_command_table.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/table_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string once = formatExecCommands(parseExecCommands(text));
    FUZZ_CHECK(formatExecCommands(parseExecCommands(once)) == once);

    std::vector<std::string> typed;
    for (const std::string& value : dialogValues(text, 200)) addExecCommand(typed, -1, value);
    FUZZ_CHECK(parseExecCommands(formatExecCommands(typed)) == typed);

    auto commands = parseExecCommands(text);
    int selected = static_cast<int>(size % (commands.size() + 2)) - 1;
    selected = moveExecCommand(commands, selected, size & 1 ? 1 : -1);
    deleteExecCommand(commands, selected);
    addExecCommand(commands, selected, text.substr(0, 20));
    return 0;
}
