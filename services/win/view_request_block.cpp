#include "services/win/view_request_block.h"

#include <windows.h>

#include <cstring>

void ViewRequestBlock::close() {
    view_.reset();
    mapping_.reset();
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
    UniqueHandle mutex{CreateMutexA(nullptr, FALSE, "PELKOMUTEX")};
    if (!mutex) return false;
    DWORD waited = WaitForSingleObject(mutex.get(), 100);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return false;
    auto* bytes = static_cast<unsigned char*>(view_.get());
    bytes[0] = flag;
    std::memcpy(bytes + 1, path.c_str(), path.size() + 1);
    ReleaseMutex(mutex.get());
    return true;
}
