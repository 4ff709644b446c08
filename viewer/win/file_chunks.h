#pragma once
// A file read in chunks at offsets, opened for each read so the view never
// keeps a file locked while the user works on it.
#include <string>

#include "viewer/text_pager.h"

class FileChunks : public ChunkSource {
public:
    explicit FileChunks(std::string path) : path_(std::move(path)) {}
    std::size_t readAt(std::uint64_t offset, char* out, std::size_t size) override;
    // Whether the file could be opened at all.
    bool readable() const;

private:
    std::string path_;
};
