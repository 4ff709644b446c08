#include "filesearch/win/win_folder_reader.h"

#include <windows.h>

#include "base/path.h"

bool WinFolderReader::read(const std::string& folder,
                           const std::function<void(const FolderEntry&)>& visit) {
    WIN32_FIND_DATAA data;
    // The basic information without short names is the cheaper call.
    HANDLE find = FindFirstFileExA(joinPath(folder, "*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
        FolderEntry item;
        item.name = data.cFileName;
        item.directory = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        item.link = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
        item.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        item.writeTime = (int64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                         data.ftLastWriteTime.dwLowDateTime;
        visit(item);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
}
