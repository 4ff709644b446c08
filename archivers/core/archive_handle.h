#pragma once
// What OpenArchive hands out: one archive, walked by FindFirst and FindNext.
#include <memory>
#include <string>

#include "archivers/core/archive_format.h"
#include "archivers/core/individual_info.h"
#include "archivers/core/member.h"

namespace arc {

// The interface's record for one member; the name is cut to fit, at a
// character boundary.
void fillInfo(const Member& m, IndividualInfo& info);

class ArchiveHandle {
public:
    // Null when the file cannot be opened or its first member cannot be read.
    static std::unique_ptr<ArchiveHandle> open(Format format, std::unique_ptr<Source> source, const TextCodec& codec);
    // 0 when a member matching `pattern` ("*" or empty: all) was found, -1 at
    // the end (a damaged rest of the archive ends the walk as well).
    int findFirst(const std::string& pattern, IndividualInfo& info);
    int findNext(IndividualInfo& info);

private:
    ArchiveHandle(Format f, std::unique_ptr<Source> s, const TextCodec& c) : format_(f), source_(std::move(s)), codec_(c) {}
    Format format_;
    std::unique_ptr<Source> source_;
    const TextCodec& codec_;
    std::unique_ptr<ArchiveReader> reader_;
    std::string pattern_;
};

}  // namespace arc
