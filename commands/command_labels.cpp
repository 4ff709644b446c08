#include "commands/command_labels.h"

#include "base/table_text.h"
#include "base/text_file.h"

namespace {

// Blanks, tabs and line ends are never trail bytes, so dropping them byte by
// byte keeps every double-byte character whole.
std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') out += c;
    }
    return out;
}

}  // namespace

void CommandLabels::parse(std::string_view text) {
    labelOf_.clear();
    nameOf_.clear();
    for (std::string_view line : textLines(text)) {
        std::size_t first = line.find(',');
        if (first == std::string_view::npos) continue;
        std::size_t second = line.find(',', first + 1);
        std::string name = withoutBlanks(line.substr(0, first));
        std::string label = withoutBlanks(line.substr(first + 1, second - first - 1));
        // A pair with a side missing would only hide a name behind nothing.
        if (name.empty() || label.empty()) continue;
        labelOf_[name] = label;
        nameOf_[label] = name;
    }
}

bool CommandLabels::load(const std::string& path) {
    labelOf_.clear();
    nameOf_.clear();
    std::optional<std::string> text = readTextFile(path);
    if (!text) return false;
    parse(*text);
    return true;
}

std::string CommandLabels::labelFor(std::string_view text, bool toLabel) const {
    const auto& map = toLabel ? labelOf_ : nameOf_;
    auto it = map.find(text);
    return it == map.end() ? std::string(text) : it->second;
}

std::string bindingText(const KeyBinding& binding, const CommandLabels& labels) {
    if (binding.command == 0) return binding.parameter;
    return labels.labelFor(CommandNameFromId(binding.command), true);
}
