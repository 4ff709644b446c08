#include "services/win/view_request_block.h"

#include <windows.h>

#include <cstring>

#include "base/win/mutex_lock.h"

void ViewRequestBlock::close() {
    view_.reset();
    mapping_.reset();
    mutex_.reset();
}

bool ViewRequestBlock::write(unsigned char flag, const std::string& path) {
    if (!mapping_) {
        mapping_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, Size,
                                          "PELKO"));
        if (!mapping_) return false;
        view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, Size));
        if (!view_) {
            mapping_.reset();
            return false;
        }
    }
    if (path.size() + 2 > Size) return false;
    if (!mutex_) mutex_.reset(CreateMutexA(nullptr, FALSE, "PELKOMUTEX"));
    MutexLock lock(mutex_.get(), 100);
    if (!lock.owned()) return false;
    auto* bytes = static_cast<unsigned char*>(view_.get());
    bytes[0] = flag;
    std::memcpy(bytes + 1, path.c_str(), path.size() + 1);
    return true;
}
