#include "archivers/core/archive_handle.h"

#include <cstring>

#include "archivers/core/command_line.h"
#include "archivers/core/member_path.h"
#include "archivers/core/pack_run.h"

namespace arc {

void fillInfo(const Member& m, IndividualInfo& info) {
    std::memset(&info, 0, sizeof info);
    info.dwOriginalSize = m.originalSize > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(m.originalSize);
    info.dwCompressedSize = m.packedSize > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(m.packedSize);
    info.dwCRC = m.crc;
    info.uOSType = m.osType;
    info.wRatio = static_cast<std::uint16_t>(ratioPerMille(m));
    info.wDate = m.dosDate;
    info.wTime = m.dosTime;
    std::string name = repairSjis(m.name);
    if (m.isDirectory && (name.empty() || name.back() != '/')) name += '/';
    copyToBuffer(name, info.szFileName, sizeof info.szFileName);
    copyToBuffer(attributeText(m), info.szAttribute, sizeof info.szAttribute);
    copyToBuffer(m.method, info.szMode, sizeof info.szMode);
}

std::unique_ptr<ArchiveHandle> ArchiveHandle::open(Format format, std::unique_ptr<Source> source,
                                                   const TextCodec& codec) {
    if (!source) return nullptr;
    std::unique_ptr<ArchiveHandle> h(new ArchiveHandle(format, std::move(source), codec));
    // An archive that does not even start right is refused at once.
    auto probe = makeReader(format, *h->source_, codec);
    Member m;
    if (!probe->next(m) && probe->error() != 0) return nullptr;
    return h;
}

int ArchiveHandle::findFirst(const std::string& pattern, IndividualInfo& info) {
    pattern_ = (pattern.empty() || pattern == "*" || pattern == "*.*") ? std::string() : pattern;
    reader_ = makeReader(format_, *source_, codec_);
    return findNext(info);
}

int ArchiveHandle::findNext(IndividualInfo& info) {
    if (!reader_) return -1;
    Member m;
    while (reader_->next(m)) {
        if (!pattern_.empty() && !wildcardMatch(pattern_, m.name) && !memberSelected(m.name, pattern_)) continue;
        fillInfo(m, info);
        return 0;
    }
    return -1;  // the end, or damage: hosts stop at -1 either way
}

}  // namespace arc
