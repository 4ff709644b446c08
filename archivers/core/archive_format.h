#pragma once
// The formats our libraries read, and a reader for each.
#include <memory>

#include "archivers/core/archive_reader.h"
#include "archivers/core/text_codec.h"

namespace arc {

enum class Format { Zip, Tar, Lzh, Rar };

std::unique_ptr<ArchiveReader> makeReader(Format format, Source& source, const TextCodec& codec);

}  // namespace arc
