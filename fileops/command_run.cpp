#include "fileops/command_run.h"

#include "base/path.h"
#include "base/sjis.h"
#include "fileops/command_line.h"

namespace {

bool hasRealChar(std::string_view s, char c, std::size_t from) {
    for (std::size_t i = from; i < s.size(); i += sjis::charLength(s, i)) {
        if (s[i] == c && sjis::charLength(s, i) == 1) return true;
    }
    return false;
}

bool hasComma(std::string_view text) { return hasRealChar(text, ',', 0); }

CommandRun fallback(std::string_view text, bool singleRun) {
    CommandRun run;
    if (!singleRun) return run;
    run.action = RunAction::Execute;
    run.program = unquoted(text);
    return run;
}

}  // namespace

bool isNetworkContainerPath(std::string_view path) {
    if (path.size() >= 2 && path[0] == '/' && path[1] == '/') return true;
    return path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\' &&
           !hasRealChar(path, '\\', 2);
}

CommandRun planCommandRun(std::string_view text, const MacroContext& context, bool singleRun,
                          const DirectoryTest& isDirectory) {
    GroupMacroUse groups;
    // The split is taken on the text as written: the "," that joins the
    // names of "$G" must not become the end of the program part.
    if (hasComma(text) && !containsMacro(text, 'S')) {
        CommandSplit split = splitCommandText(text);
        std::optional<std::string> program = expandMacros(split.program, context, groups);
        std::optional<std::string> parameters = expandMacros(split.parameters, context, groups);
        if (!program || !parameters) return fallback(text, singleRun);
        return {RunAction::Execute, unquoted(*program), *parameters};
    }
    std::optional<std::string> whole = expandMacros(text, context, groups);
    if (!whole) return fallback(text, singleRun);
    if (containsMacro(text, 'S')) return {RunAction::Interpreter, std::string(*whole), {}};
    std::string path = unquoted(*whole);
    if (isFtpPath(path) || isNetworkContainerPath(path) || (isDirectory && isDirectory(path))) {
        return {RunAction::Jump, path, {}};
    }
    return {RunAction::Execute, path, {}};
}
