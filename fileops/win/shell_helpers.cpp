#include "fileops/win/shell_helpers.h"

#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <utility>

#include "base/path.h"
#include "base/win/handle.h"
#include "fileops/shortcut_name.h"

namespace {

bool shellCanHandle(const std::string& path) {
    return !path.empty() && !isFtpPath(path) && !isArchivePath(path);
}

std::wstring wide(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), length);
    out.resize(static_cast<std::size_t>(length - 1));
    return out;
}

bool saveLink(const std::string& target, const std::string& path) {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.out())))
        return false;
    if (FAILED(link->SetPath(target.c_str()))) return false;
    std::string start = shortcutWorkingDirectory(target);
    if (!start.empty() && FAILED(link->SetWorkingDirectory(start.c_str()))) return false;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.out()))) return false;
    std::wstring widePath = wide(path);
    return !widePath.empty() && SUCCEEDED(file->Save(widePath.c_str(), TRUE));
}

}  // namespace

std::string createShortcut(const std::string& target, const std::string& directory) {
    if (!shellCanHandle(target) || !shellCanHandle(directory)) return "";
    std::string linkTarget = withoutTrailingParent(target);

    // The name is claimed by creating the file, so a file that appears between
    // the check and the save is never overwritten.
    bool claimed = false;
    std::string name = shortcutFileName(linkTarget, [&](const std::string& candidate) {
        FileHandle file{CreateFileA(joinPath(directory, candidate).c_str(), GENERIC_WRITE, 0,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)};
        if (file) {
            claimed = true;
            return false;
        }
        DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    });
    if (name.empty() || !claimed) return "";

    std::string path = joinPath(directory, name);
    if (!saveLink(linkTarget, path)) {
        DeleteFileA(path.c_str());
        return "";
    }
    return name;
}

bool openInExplorer(HWND owner, const std::string& path) {
    if (!shellCanHandle(path)) return false;
    std::string parameters = explorerParameters(path);
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, "open", "Explorer.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL));
    return result > 32;
}

bool showProperties(HWND owner, const std::string& path) {
    if (!shellCanHandle(path)) return false;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = "properties";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&info) != FALSE;
}
