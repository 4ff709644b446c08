#include "base/wildcard.h"

#include <vector>

#include "base/sjis.h"

namespace {

enum class TokenKind { Star, AnyChar, Literal };

struct Token {
    TokenKind kind;
    std::string_view text;  // the literal character, one or two bytes
};

std::vector<Token> tokenize(std::string_view pattern) {
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < pattern.size();) {
        std::size_t len = sjis::charLength(pattern, i);
        char c = pattern[i];
        if (len == 1 && c == '\\' && i + 1 < pattern.size()) {
            std::size_t next = i + 1;
            std::size_t nextLen = sjis::charLength(pattern, next);
            tokens.push_back({TokenKind::Literal, pattern.substr(next, nextLen)});
            i = next + nextLen;
            continue;
        }
        bool afterStar = !tokens.empty() && tokens.back().kind == TokenKind::Star;
        if (len == 1 && (c == '*' || c == '?')) {
            // A run of wildcards after a star adds nothing to the star.
            if (!afterStar) tokens.push_back({c == '*' ? TokenKind::Star : TokenKind::AnyChar, {}});
        } else {
            tokens.push_back({TokenKind::Literal, pattern.substr(i, len)});
        }
        i += len;
    }
    return tokens;
}

char foldLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool literalMatches(std::string_view literal, std::string_view ch) {
    if (literal.size() != ch.size()) return false;
    if (ch.size() == 1) return foldLower(literal[0]) == foldLower(ch[0]);
    return literal == ch;
}

bool tokenMatches(const Token& t, std::string_view ch) {
    return t.kind == TokenKind::AnyChar || (t.kind == TokenKind::Literal && literalMatches(t.text, ch));
}

}  // namespace

// Greedy matching that remembers only the latest star: a later star can absorb
// anything an earlier one would, so going back further never finds a match
// the latest one misses. Runs in O(pattern x name) time.
bool wildcardMatch(std::string_view pattern, std::string_view name) {
    const std::vector<Token> tokens = tokenize(pattern);
    std::size_t p = 0, n = 0;
    std::size_t starToken = tokens.size(), starName = 0;
    while (n < name.size()) {
        std::string_view ch = name.substr(n, sjis::charLength(name, n));
        if (p < tokens.size() && tokens[p].kind == TokenKind::Star) {
            starToken = p++;
            starName = n;
        } else if (p < tokens.size() && tokenMatches(tokens[p], ch)) {
            ++p;
            n += ch.size();
        } else if (starToken < tokens.size()) {
            p = starToken + 1;
            starName += sjis::charLength(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < tokens.size() && tokens[p].kind == TokenKind::Star) ++p;
    return p == tokens.size();
}
