#pragma once
// The earlier texts of a one-line input dialog, newest first, kept in the
// settings file section of the dialog ("FIND_NAME" for the find-name dialog)
// as "TEXT00" to "TEXT09".
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "services/profile.h"

class FindHistory {
public:
    static constexpr std::size_t Limit = 10;

    explicit FindHistory(std::string section = "FIND_NAME") : section_(std::move(section)) {}

    // The non-empty keys in key order.
    void load(Profile& profile);
    // Writes the texts under their positions; only non-empty ones are written.
    void save(Profile& profile) const;
    // Puts a text at the top, the oldest falling off past the limit. An empty
    // text is not remembered.
    void remember(std::string_view text);

    const std::vector<std::string>& entries() const { return entries_; }

private:
    std::string section_;
    std::vector<std::string> entries_;
};
