#pragma once
// A wildcard pattern read once and matched against many names, with the same
// rules as wildcardMatch: "*" any run, "?" one character (a double-byte
// character is one), "\" makes the next character literal, single-byte
// letters without regard to case.
#include <cstdint>
#include <string_view>
#include <vector>

class NamePattern {
public:
    explicit NamePattern(std::string_view pattern);
    bool matches(std::string_view name) const;
    // No "*", "?" or "\": the pattern matches only names equal to it
    // without regard to case.
    bool isPlainName() const { return plain_; }

private:
    enum class Kind : uint8_t { Star, AnyChar, Literal };
    struct Token {
        Kind kind;
        uint8_t length;  // literal bytes, 1 or 2
        char bytes[2];
    };
    bool tokenMatches(const Token& t, std::string_view name, std::size_t at, std::size_t len) const;

    bool matchesTail(std::string_view name) const;

    std::vector<Token> tokens_;
    bool plain_ = true;
    // "*" then literals only ("*.txt"): a name matches when it ends in them on
    // a character boundary, which needs no backtracking.
    bool starThenLiterals_ = false;
    std::size_t tailBytes_ = 0;
};
