#pragma once
// Folders read with the platform's ANSI enumeration, as the panes read them.
#include "filesearch/tree_search.h"

class WinFolderReader : public FolderReader {
public:
    bool read(const std::string& folder,
              const std::function<void(const FolderEntry&)>& visit) override;
};
