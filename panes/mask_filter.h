#pragma once
// Raw listing to shown listing: "*.txt,*.doc" shows files matching either,
// "!" in front inverts; directories always pass.
#include <string_view>
#include <vector>

#include "base/name_pattern.h"
#include "panes/file_list.h"

bool maskShowsEverything(std::string_view mask);

// A mask read once, then asked about each entry.
class MaskFilter {
public:
    explicit MaskFilter(std::string_view mask);
    bool passesEverything() const { return everything_; }
    bool passes(const FileEntry& entry) const;

private:
    std::vector<NamePattern> patterns_;
    bool everything_ = true;
    bool inverted_ = false;
};

void applyMask(const FileList& raw, std::string_view mask, FileList& shown);
