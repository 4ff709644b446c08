#include "viewer/xml_text.h"

namespace {
std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// The end of the markup that starts at i ("<!--...-->", "<![CDATA[...]]>",
// "<?...?>" or a tag); npos when it never ends.
std::size_t markupEnd(std::string_view xml, std::size_t i) {
    if (xml.substr(i, 4) == "<!--") {
        const std::size_t e = xml.find("-->", i + 4);
        return e == std::string_view::npos ? e : e + 3;
    }
    if (xml.substr(i, 9) == "<![CDATA[") {
        const std::size_t e = xml.find("]]>", i + 9);
        return e == std::string_view::npos ? e : e + 3;
    }
    char quote = 0;
    for (std::size_t k = i + 1; k < xml.size(); ++k) {
        const char c = xml[k];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return k + 1;
        }
    }
    return std::string_view::npos;
}
}  // namespace

std::string indentXml(std::string_view xml) {
    std::string out;
    int depth = 0;
    const auto line = [&](std::string_view text, int level) {
        out.append(static_cast<std::size_t>(2 * (level > 0 ? level : 0)), ' ');
        out += text;
        out += '\n';
    };
    std::size_t i = 0;
    while (i < xml.size()) {
        if (xml[i] != '<') {
            const std::size_t end = std::min(xml.find('<', i), xml.size());
            const std::string_view text = trimmed(xml.substr(i, end - i));
            if (!text.empty()) line(text, depth);
            i = end;
            continue;
        }
        const std::size_t end = markupEnd(xml, i);
        if (end == std::string_view::npos) {
            line(trimmed(xml.substr(i)), depth);
            break;
        }
        const std::string_view tag = xml.substr(i, end - i);
        i = end;
        const char kind = tag.size() > 1 ? tag[1] : 0;
        if (kind == '/') {
            line(tag, --depth);
        } else if (kind == '!' || kind == '?' || tag.substr(tag.size() - 2) == "/>") {
            line(tag, depth);
        } else {
            // An element that holds only text stays on one line.
            const std::size_t textEnd = std::min(xml.find('<', i), xml.size());
            if (textEnd < xml.size() && xml.substr(textEnd, 2) == "</" &&
                xml.substr(textEnd, 9) != "<![CDATA[") {
                const std::size_t closeEnd = markupEnd(xml, textEnd);
                if (closeEnd != std::string_view::npos) {
                    std::string joined(tag);
                    joined += trimmed(xml.substr(i, textEnd - i));
                    joined += xml.substr(textEnd, closeEnd - textEnd);
                    line(joined, depth);
                    i = closeEnd;
                    continue;
                }
            }
            line(tag, depth++);
        }
    }
    return out;
}
