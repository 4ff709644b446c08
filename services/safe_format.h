#pragma once
// Message texts are format strings read from a file anybody can edit, so they
// are never handed to printf. Only "%d", "%s" and "%%" are understood; every
// other "%" sequence is copied as it stands.
#include <concepts>
#include <span>
#include <string>
#include <string_view>

class FormatArg {
public:
    template <std::integral T>
        requires(!std::same_as<T, bool> && !std::same_as<T, char>)
    FormatArg(T value) : isNumber_(true), number_(static_cast<long long>(value)) {}
    FormatArg(const char* text) : text_(text ? text : "") {}
    FormatArg(const std::string& text) : text_(text) {}
    FormatArg(std::string_view text) : text_(text) {}

    bool isNumber() const { return isNumber_; }
    long long number() const { return number_; }
    std::string_view text() const { return text_; }

private:
    bool isNumber_ = false;
    long long number_ = 0;
    std::string_view text_;  // borrowed: lives as long as the call's argument
};

// Conversions take the arguments in order. "%d" wants a number and "%s" a
// text; one that meets the other kind, or finds no argument left, is copied
// literally (a mismatched argument is still used up, so later conversions keep
// their own). Characters are stepped as Shift-JIS.
std::string safeFormat(std::string_view format, std::span<const FormatArg> args);
