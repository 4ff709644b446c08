#include "archivers/core/archive_format.h"

#include "archivers/core/lzh_reader.h"
#include "archivers/core/rar_reader.h"
#include "archivers/core/tar_reader.h"
#include "archivers/core/zip_reader.h"

namespace arc {

std::unique_ptr<ArchiveReader> makeReader(Format format, Source& source, const TextCodec& codec) {
    switch (format) {
    case Format::Zip: return std::make_unique<ZipReader>(source, codec);
    case Format::Tar: return std::make_unique<TarReader>(source, codec);
    case Format::Lzh: return std::make_unique<LzhReader>(source);
    case Format::Rar: return std::make_unique<RarReader>(source, codec);
    }
    return nullptr;
}

}  // namespace arc
