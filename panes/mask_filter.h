#pragma once
// Raw listing to shown listing: "*.txt,*.doc" shows files matching either,
// "!" in front inverts; directories always pass.
#include <string_view>

#include "panes/file_list.h"

bool maskShowsEverything(std::string_view mask);
void applyMask(const FileList& raw, std::string_view mask, FileList& shown);
