#include "base/table_text.h"

std::vector<std::string_view> textLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        // A stray CR before the line end is never part of a value.
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string_view> tableLines(std::string_view text) {
    std::vector<std::string_view> lines = textLines(text);
    std::erase_if(lines, [](std::string_view line) { return !line.empty() && line.front() == '#'; });
    return lines;
}

std::vector<std::string_view> tableFields(std::string_view line) {
    std::vector<std::string_view> fields;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ',' && !quoted) {
            fields.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    fields.push_back(line.substr(start));
    return fields;
}

std::string withCommentsKept(std::string_view oldText, std::string_view newRecords) {
    const std::vector<std::string_view> records = textLines(newRecords);
    const std::string_view end = oldText.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    std::string text;
    std::size_t next = 0;
    for (std::string_view line : textLines(oldText)) {
        if (line.empty() || line.front() == '#') {
            text.append(line).append(end);
        } else if (next < records.size()) {
            text.append(records[next++]).append(end);
        }
    }
    for (; next < records.size(); ++next) text.append(records[next]).append(end);
    return text;
}
