#include "archivers/cab32/win/cab_io.h"

#include <fcntl.h>

namespace cab {

std::unique_ptr<WinFileIo> WinFileIo::open(const char* path, int oflag) {
    DWORD access = GENERIC_READ;
    if ((oflag & _O_WRONLY) || (oflag & _O_RDWR)) access = (oflag & _O_RDWR) ? GENERIC_READ | GENERIC_WRITE : GENERIC_WRITE;
    DWORD disposition = OPEN_EXISTING;
    if (oflag & _O_CREAT) disposition = (oflag & _O_EXCL) ? CREATE_NEW : (oflag & _O_TRUNC) ? CREATE_ALWAYS : OPEN_ALWAYS;
    else if (oflag & _O_TRUNC) disposition = TRUNCATE_EXISTING;
    HANDLE h = CreateFileA(path, access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::unique_ptr<WinFileIo>(new WinFileIo(h));
}

UINT WinFileIo::read(void* p, UINT n) {
    DWORD got = 0;
    return ReadFile(handle_, p, n, &got, nullptr) ? got : static_cast<UINT>(-1);
}

UINT WinFileIo::write(const void* p, UINT n) {
    DWORD put = 0;
    return WriteFile(handle_, p, n, &put, nullptr) ? put : static_cast<UINT>(-1);
}

LONG WinFileIo::seek(LONG distance, int origin) {
    DWORD method = origin == SEEK_SET ? FILE_BEGIN : origin == SEEK_CUR ? FILE_CURRENT : FILE_END;
    DWORD r = SetFilePointer(handle_, distance, nullptr, method);
    return r == INVALID_SET_FILE_POINTER ? -1 : static_cast<LONG>(r);
}

}  // namespace cab
