#include "fileops/exec_command_table.h"

#include <utility>

#include "base/sjis.h"
#include "base/text_file.h"

namespace {

bool validRow(const std::vector<std::string>& commands, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < commands.size();
}

}  // namespace

std::vector<std::string> parseExecCommands(std::string_view text) {
    std::vector<std::string> commands;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);  // 0x0A is never a trail byte
        std::string_view line = text.substr(pos, end == std::string_view::npos ? end : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        // Cut first: a cut that ends at a CR would leave one behind.
        line = line.substr(0, sjis::fittingLength(line, ExecCommandLineLimit - 1));
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) commands.emplace_back(line);
    }
    return commands;
}

std::string formatExecCommands(const std::vector<std::string>& commands) {
    std::string text;
    for (const std::string& command : commands) {
        text += command;
        text += '\n';
    }
    return text;
}

std::vector<std::string> loadExecCommands(const std::string& path) {
    std::optional<std::string> text = readTextFile(path);
    return text ? parseExecCommands(*text) : std::vector<std::string>{};
}

bool saveExecCommands(const std::string& path, const std::vector<std::string>& commands) {
    return writeTextFile(path, formatExecCommands(commands));
}

int addExecCommand(std::vector<std::string>& commands, int selected, std::string_view text) {
    if (text.empty() || text.find_first_of("\r\n") != std::string_view::npos) {
        return validRow(commands, selected) ? selected : -1;
    }
    commands.emplace_back(text);
    return static_cast<int>(commands.size()) - 1;
}

int deleteExecCommand(std::vector<std::string>& commands, int selected) {
    if (validRow(commands, selected)) commands.erase(commands.begin() + selected);
    return -1;
}

int moveExecCommand(std::vector<std::string>& commands, int selected, int delta) {
    if (!validRow(commands, selected)) return -1;
    int target = selected + (delta < 0 ? -1 : delta > 0 ? 1 : 0);
    if (target == selected || !validRow(commands, target)) return selected;
    std::swap(commands[selected], commands[target]);
    return target;
}
