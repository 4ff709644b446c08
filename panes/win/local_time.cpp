#include "panes/win/local_time.h"

#include <windows.h>

LocalTime localTimeOf(const FileEntry& entry) {
    FILETIME utc{entry.ftLastWriteTime.dwLowDateTime, entry.ftLastWriteTime.dwHighDateTime};
    FILETIME local;
    SYSTEMTIME st{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return {};
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}
