#include "fileops/command_line.h"

#include "base/path.h"
#include "base/sjis.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    // A blank is never a trail byte, so the end can be trimmed bytewise.
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::size_t findChar(std::string_view s, char c) {
    for (std::size_t i = 0; i < s.size(); i += sjis::charLength(s, i)) {
        if (s[i] == c && sjis::charLength(s, i) == 1) return i;
    }
    return std::string_view::npos;
}

// Real backslashes at the end, counted character-wise: the 0x5C that ends a
// double-byte character is no separator.
std::size_t trailingBackslashes(std::string_view s) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t len = sjis::charLength(s, i);
        count = (len == 1 && s[i] == '\\') ? count + 1 : 0;
        i += len;
    }
    return count;
}

std::string fileName(std::string_view path) {
    std::size_t cut = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); i += sjis::charLength(path, i)) {
        if (sjis::charLength(path, i) == 1 && (path[i] == '\\' || path[i] == '/' || path[i] == ':')) {
            cut = i;
        }
    }
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

}  // namespace

std::string unquoted(std::string_view text) {
    text = trimmed(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    return std::string(text);
}

CommandSplit splitCommandText(std::string_view text) {
    CommandSplit split;
    std::size_t comma = findChar(text, ',');
    if (comma == std::string_view::npos) {
        split.program = unquoted(text);
        return split;
    }
    split.hasComma = true;
    split.program = unquoted(text.substr(0, comma));
    split.parameters = std::string(trimmed(text.substr(comma + 1)));
    return split;
}

std::string quoteArgument(std::string_view text) {
    std::string out = "\"";
    out += text;
    out.append(trailingBackslashes(text), '\\');
    out += '"';
    return out;
}

std::string prepareParameters(std::string_view parameters) {
    bool blank = findChar(parameters, ' ') != std::string_view::npos;
    if (blank && (parameters.empty() || parameters.front() != '"')) return quoteArgument(parameters);
    return std::string(parameters);
}

bool startsThroughShell(std::string_view file, bool hasOwner) {
    if (hasOwner) return true;
    std::string ext = sjis::toLowerAscii(extensionOf(fileName(file)));
    return ext == "pif" || ext == "lnk" || ext == "cmd" || ext == "bat";
}

std::string processCommandLine(std::string_view file, std::string_view preparedParameters) {
    // The program name is read up to the next quote, without backslash rules.
    std::string line = "\"" + std::string(file) + "\"";
    if (preparedParameters.empty()) return line;
    line += ' ';
    if (preparedParameters.front() == '"') {
        line += preparedParameters;
    } else {
        line += quoteArgument(preparedParameters);
    }
    return line;
}

std::string interpreterCommandLine(std::string_view interpreter, std::string_view text) {
    std::string line = "\"" + std::string(interpreter.empty() ? DefaultInterpreter : interpreter) +
                       "\" /c ";
    // The interpreter looks at the first character after the blanks.
    text = trimmed(text);
    if (!text.empty() && text.front() == '"') {
        line += '"';
        line += text;
        line += '"';
    } else {
        line += text;
    }
    return line;
}

ExecuteRequest executeRequest(std::string_view file, std::string_view parameters, bool hasOwner,
                              std::string_view directory) {
    ExecuteRequest request;
    request.file = file;
    request.parameters = prepareParameters(parameters);
    request.directory = directory;
    if (startsThroughShell(file, hasOwner)) {
        request.route = StartRoute::Shell;
    } else {
        request.commandLine = processCommandLine(file, request.parameters);
    }
    return request;
}

ExecuteRequest openRequest(std::string_view file, std::string_view parameters, WaitMode wait,
                           std::string_view directory) {
    ExecuteRequest request;
    request.route = StartRoute::Shell;
    request.file = file;
    request.parameters = parameters;
    request.directory = directory;
    request.wait = wait;
    return request;
}

ExecuteRequest interpreterRequest(std::string_view interpreter, std::string_view text,
                                  std::string_view directory) {
    ExecuteRequest request;
    request.file = interpreter.empty() ? DefaultInterpreter : interpreter;
    request.parameters = text;
    request.commandLine = interpreterCommandLine(interpreter, text);
    request.directory = directory;
    request.wait = WaitMode::UntilEnded;
    return request;
}
