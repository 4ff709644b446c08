#pragma once
// A refresh reloads the listing; these carry the marks and the cursor entry
// across it by name.
#include <string>
#include <vector>

#include "panes/file_list.h"
#include "panes/listing_source.h"

struct RefreshMemo {
    std::string cursorName;
    int cursorIndex = 0;
    std::vector<std::string> markedNames;
};

RefreshMemo rememberForRefresh(const FileList& list, int cursor);

// Marks again whatever the remembered names match (they are used as
// patterns) and returns the cursor: the remembered entry when it is still
// there, otherwise the old index clamped to the listing.
int restoreAfterRefresh(FileList& list, ListingSource source, const RefreshMemo& memo);
