#include "viewer/html_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "base/sjis.h"

namespace {
constexpr std::array<std::pair<std::string_view, char32_t>, 24> NamedEntities{{
    {"amp", '&'},       {"lt", '<'},        {"gt", '>'},        {"quot", '"'},
    {"apos", '\''},     {"nbsp", ' '},      {"copy", 0xA9},     {"reg", 0xAE},
    {"yen", 0xA5},      {"times", 0xD7},    {"divide", 0xF7},   {"middot", 0x30FB},
    {"hellip", 0x2026}, {"mdash", 0x2014},  {"ndash", 0x2013},  {"laquo", 0xAB},
    {"raquo", 0xBB},    {"lsquo", 0x2018},  {"rsquo", 0x2019},  {"ldquo", 0x201C},
    {"rdquo", 0x201D},  {"bull", 0x2022},   {"trade", 0x2122},  {"deg", 0xB0},
}};

// Elements that begin and end a line of their own.
bool isBlock(std::string_view tag) {
    static constexpr std::string_view blocks[] = {
        "p",     "div",   "br",      "tr",      "table",  "ul",     "ol",     "dl",
        "dt",    "dd",    "pre",     "blockquote", "hr",  "section", "article", "header",
        "footer", "nav",  "main",    "aside",   "form",   "address", "figure", "figcaption",
        "title", "body",  "caption", "fieldset", "center", "noscript"};
    for (std::string_view b : blocks)
        if (tag == b) return true;
    return false;
}

bool isHeading(std::string_view tag) {
    return tag.size() == 2 && tag[0] == 'h' && tag[1] >= '1' && tag[1] <= '6';
}

class TextBuilder {
public:
    void text(std::string_view s, bool preformatted) {
        for (char c : s) {
            if (preformatted) {
                if (c == '\r') continue;
                if (c == '\n') {
                    newline();
                    continue;
                }
                put(c);
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
                blankPending_ = !atLineStart();
                continue;
            }
            if (blankPending_) out_ += ' ';
            blankPending_ = false;
            put(c);
        }
    }
    void raw(std::string_view s) {
        if (blankPending_) out_ += ' ';
        blankPending_ = false;
        out_ += s;
    }
    void newline() {
        blankPending_ = false;
        out_ += '\n';
    }
    // Ends the current line unless it is empty.
    void breakLine() {
        blankPending_ = false;
        if (!atLineStart()) out_ += '\n';
    }
    // One empty line between blocks, never more.
    void separate() {
        breakLine();
        if (!out_.empty() && (out_.size() < 2 || out_[out_.size() - 2] != '\n')) out_ += '\n';
    }
    std::string take() {
        while (!out_.empty() && (out_.back() == '\n' || out_.back() == ' ')) out_.pop_back();
        return out_ + (out_.empty() ? "" : "\n");
    }

private:
    bool atLineStart() const { return out_.empty() || out_.back() == '\n'; }
    void put(char c) { out_ += c; }
    std::string out_;
    bool blankPending_ = false;
};

std::string lowerName(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else
            break;
    }
    return out;
}

// Text with its entities decoded.
std::string decodeText(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            const std::size_t semi = s.find(';', i);
            if (semi != std::string_view::npos && semi - i <= 10) {
                const std::string decoded = decodeEntity(s.substr(i + 1, semi - i - 1));
                if (!decoded.empty()) {
                    out += decoded;
                    i = semi;
                    continue;
                }
            }
        }
        out += s[i];
    }
    return out;
}
}  // namespace

std::string utf8Of(char32_t c) {
    std::string out;
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = '?';
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string decodeEntity(std::string_view body) {
    if (body.size() >= 2 && body[0] == '#') {
        const bool hex = body[1] == 'x' || body[1] == 'X';
        const std::string_view digits = body.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 7) return {};
        char32_t value = 0;
        for (char c : digits) {
            const int d = std::isdigit(static_cast<unsigned char>(c))   ? c - '0'
                          : hex && std::isxdigit(static_cast<unsigned char>(c))
                              ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                              : -1;
            if (d < 0) return {};
            value = value * (hex ? 16 : 10) + static_cast<char32_t>(d);
        }
        if (value == 0) return {};
        return utf8Of(value);
    }
    for (const auto& [name, code] : NamedEntities)
        if (body == name) return utf8Of(code);
    return {};
}

std::string htmlToText(std::string_view html) {
    TextBuilder out;
    int preDepth = 0;
    int listDepth = 0;
    std::size_t i = 0;
    while (i < html.size()) {
        if (html[i] != '<') {
            const std::size_t end = std::min(html.find('<', i), html.size());
            out.text(decodeText(html.substr(i, end - i)), preDepth > 0);
            i = end;
            continue;
        }
        if (html.substr(i, 4) == "<!--") {
            const std::size_t end = html.find("-->", i + 4);
            i = end == std::string_view::npos ? html.size() : end + 3;
            continue;
        }
        const std::size_t close = html.find('>', i);
        if (close == std::string_view::npos) break;
        std::string_view tag = html.substr(i + 1, close - i - 1);
        i = close + 1;
        const bool ending = !tag.empty() && tag[0] == '/';
        if (ending) tag.remove_prefix(1);
        if (!tag.empty() && (tag[0] == '!' || tag[0] == '?')) continue;
        const std::string name = lowerName(tag);
        if (!ending && (name == "script" || name == "style" || name == "head")) {
            // Their content is not shown, except the head's title.
            const std::string endTag = "</" + name;
            std::size_t end = i;
            for (;;) {
                end = html.find("</", end);
                if (end == std::string_view::npos) break;
                if (sjis::toLowerAscii(html.substr(end, endTag.size())) == endTag) break;
                end += 2;
            }
            const std::string_view inside =
                html.substr(i, (end == std::string_view::npos ? html.size() : end) - i);
            if (name == "head") {
                const std::string low = sjis::toLowerAscii(inside);
                const std::size_t t = low.find("<title");
                const std::size_t tc = t == std::string::npos ? t : low.find('>', t);
                const std::size_t te = tc == std::string::npos ? tc : low.find("</title", tc);
                if (te != std::string::npos) {
                    out.text(decodeText(inside.substr(tc + 1, te - tc - 1)), false);
                    out.separate();
                }
            }
            if (end == std::string_view::npos) break;
            const std::size_t after = html.find('>', end);
            i = after == std::string_view::npos ? html.size() : after + 1;
            continue;
        }
        if (name == "pre") {
            preDepth += ending ? -1 : 1;
            if (preDepth < 0) preDepth = 0;
            out.breakLine();
        } else if (name == "br") {
            out.newline();
        } else if (isHeading(name)) {
            out.separate();
            // Top headings get a filled square, the lower ones an open one.
            if (!ending) out.raw(name[1] <= '2' ? "\xE2\x96\xA0 " : "\xE2\x96\xA1 ");
        } else if (name == "ul" || name == "ol") {
            listDepth += ending ? -1 : 1;
            if (listDepth < 0) listDepth = 0;
            out.breakLine();
        } else if (name == "li") {
            out.breakLine();
            if (!ending) {
                out.raw(std::string(static_cast<std::size_t>(2 * (listDepth > 0 ? listDepth - 1 : 0)), ' '));
                out.raw("\xE3\x83\xBB ");  // ・
            }
        } else if (name == "td" || name == "th") {
            if (!ending) out.text(" ", false);
        } else if (name == "hr") {
            out.breakLine();
            out.raw("----------------");
            out.newline();
        } else if (name == "img" && !ending) {
            // A picture shows by its alternative text.
            const std::string low = sjis::toLowerAscii(tag);
            const std::size_t alt = low.find("alt=");
            if (alt != std::string::npos && alt + 5 < tag.size()) {
                const char quote = tag[alt + 4];
                const std::size_t from = alt + 5;
                const std::size_t to = tag.find(quote, from);
                if ((quote == '"' || quote == '\'') && to != std::string_view::npos)
                    out.text("[" + decodeText(tag.substr(from, to - from)) + "]", false);
            }
        } else if (name == "p") {
            out.separate();
        } else if (isBlock(name)) {
            out.breakLine();
        }
    }
    return out.take();
}
