#pragma once
// The pane's reader for folders inside archives ("x.lzh>dir/", nested ones too).
#include "archive/win/archive_work.h"
#include "panes/listing_source.h"

class ArchiveListingReader : public ListingReader {
public:
    explicit ArchiveListingReader(ArchiveWork& work) : work_(work) {}
    // Accepts archive paths and files of a browsable type; a file that is not
    // there is declined quietly, an archive that will not read is told.
    bool read(const std::string& path, FileList& raw) override;

private:
    ArchiveWork& work_;
};
