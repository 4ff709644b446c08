#include "base/name_pattern.h"

#include "base/sjis.h"

namespace {

char foldLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

NamePattern::NamePattern(std::string_view pattern) {
    for (std::size_t i = 0; i < pattern.size();) {
        std::size_t len = sjis::charLength(pattern, i);
        const char c = pattern[i];
        if (len == 1 && (c == '*' || c == '?' || c == '\\')) plain_ = false;
        if (len == 1 && c == '\\' && i + 1 < pattern.size()) {
            ++i;
            len = sjis::charLength(pattern, i);
            tokens_.push_back({Kind::Literal, static_cast<uint8_t>(len), {pattern[i], len == 2 ? pattern[i + 1] : '\0'}});
            i += len;
            continue;
        }
        const bool afterStar = !tokens_.empty() && tokens_.back().kind == Kind::Star;
        if (len == 1 && (c == '*' || c == '?')) {
            // A run of wildcards after a star adds nothing to the star.
            if (!afterStar) tokens_.push_back({c == '*' ? Kind::Star : Kind::AnyChar, 0, {}});
        } else {
            tokens_.push_back({Kind::Literal, static_cast<uint8_t>(len), {c, len == 2 ? pattern[i + 1] : '\0'}});
        }
        i += len;
    }
    starThenLiterals_ = tokens_.size() > 1 && tokens_[0].kind == Kind::Star;
    for (std::size_t t = 1; t < tokens_.size() && starThenLiterals_; ++t) {
        starThenLiterals_ = tokens_[t].kind == Kind::Literal;
        tailBytes_ += tokens_[t].length;
    }
}

bool NamePattern::matchesTail(std::string_view name) const {
    if (name.size() < tailBytes_) return false;
    const std::size_t start = name.size() - tailBytes_;
    std::size_t n = start;
    if (!sjis::isSingleByteOnly(name.substr(0, start))) {
        n = 0;
        while (n < start) n += sjis::charLength(name, n);
        if (n != start) return false;
    }
    for (std::size_t t = 1; t < tokens_.size(); ++t) {
        const std::size_t len = sjis::charLength(name, n);
        if (!tokenMatches(tokens_[t], name, n, len)) return false;
        n += len;
    }
    return true;
}

bool NamePattern::tokenMatches(const Token& t, std::string_view name, std::size_t at,
                               std::size_t len) const {
    if (t.kind == Kind::AnyChar) return true;
    if (t.kind != Kind::Literal || t.length != len) return false;
    if (len == 1) return foldLower(t.bytes[0]) == foldLower(name[at]);
    return t.bytes[0] == name[at] && t.bytes[1] == name[at + 1];
}

// Greedy matching that remembers only the latest star, as wildcardMatch does.
bool NamePattern::matches(std::string_view name) const {
    if (starThenLiterals_) return matchesTail(name);
    const std::size_t count = tokens_.size();
    std::size_t p = 0, n = 0;
    std::size_t starToken = count, starName = 0;
    while (n < name.size()) {
        const std::size_t len = sjis::charLength(name, n);
        if (p < count && tokens_[p].kind == Kind::Star) {
            starToken = p++;
            starName = n;
        } else if (p < count && tokenMatches(tokens_[p], name, n, len)) {
            ++p;
            n += len;
        } else if (starToken < count) {
            p = starToken + 1;
            starName += sjis::charLength(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < count && tokens_[p].kind == Kind::Star) ++p;
    return p == count;
}
