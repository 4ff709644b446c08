// Command lines typed by the user or read from EXECUTE.TBL and ExecCmd.tbl:
// the macros expand within the command-line bound and the split keeps to the
// text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fileops/command_line.h"
#include "fileops/macro_expansion.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    MacroContext context;
    context.cursor = {"\x95\x5c a.txt", "A~1.TXT"};
    context.target = context.cursor;
    context.directory = size & 1 ? "|ftp.example/pub dir" : "C:\\\x83\x5c\\dir";
    context.shortDirectory = size & 2 ? "C:\\DIR~1" : "";
    context.ftpUser = "user";
    for (int i = 0; i < 3; ++i) context.marked.push_back({"m" + std::to_string(i) + " x.c", ""});
    auto expanded = expandMacros(text, context);
    if (expanded) FUZZ_CHECK(expanded->size() <= MaxExpandedLength);

    auto split = splitCommandText(text);
    FUZZ_CHECK(split.program.size() + split.parameters.size() <= text.size());
    auto prepared = prepareParameters(split.parameters);
    processCommandLine(split.program, prepared);
    interpreterCommandLine(split.program, text);
    nameWithoutExtension(text);
    ftpHostPart(text);
    return 0;
}
