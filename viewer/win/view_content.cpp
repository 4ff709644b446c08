#include "viewer/win/view_content.h"

#include <cstring>
#include <vector>

#include "base/win/handle.h"
#include "panes/file_entry.h"
#include "services/work_directory.h"
#include "viewer/directory_text.h"
#include "viewer/html_text.h"
#include "viewer/page_charset.h"
#include "viewer/version_report.h"
#include "viewer/view_kind.h"
#include "viewer/win/file_chunks.h"
#include "viewer/xml_text.h"

static_assert(sizeof(FileEntry) >= sizeof(WIN32_FIND_DATAA));

namespace {
std::string searchPattern(const std::string& path) {
    return path + (endsWithSeparator(path) ? "*.*" : "\\*.*");
}

template <class Each>
void eachFound(const std::string& pattern, Each each) {
    WIN32_FIND_DATAA found;
    FindHandle find(FindFirstFileA(pattern.c_str(), &found));
    if (!find) return;
    do {
        each(found);
    } while (FindNextFileA(find.get(), &found));
}

std::wstring wide(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::string narrow(const std::wstring& text, unsigned codePage) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                            nullptr, nullptr);
    return out;
}

std::wstring utf16(std::string_view bytes, bool bigEndian) {
    std::wstring out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned a = static_cast<unsigned char>(bytes[i]);
        const unsigned b = static_cast<unsigned char>(bytes[i + 1]);
        out += static_cast<wchar_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    }
    if (!out.empty() && out[0] == 0xFEFF) out.erase(0, 1);
    return out;
}
}  // namespace

bool isViewDirectory(const std::string& path) {
    if (path.rfind("//", 0) == 0 || path.empty()) return false;
    WIN32_FIND_DATAA found;
    {
        FindHandle find(FindFirstFileA(path.c_str(), &found));
        if (find) return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    {
        FindHandle find(FindFirstFileA(searchPattern(path).c_str(), &found));
        if (find) return true;
    }
    return path.size() == 3 && path[1] == ':' && path[2] == '\\';
}

std::string shortPath(const std::string& path) {
    char buffer[MAX_PATH * 2];
    const DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : path;
}

std::string directoryListing(const std::string& path, int columns) {
    std::vector<FileEntry> entries;
    eachFound(searchPattern(path), [&](const WIN32_FIND_DATAA& found) {
        FileEntry entry{};
        std::memcpy(&entry, &found, sizeof found);
        entries.push_back(entry);
    });
    return directoryText(path, std::move(entries), columns);
}

DirectoryTree directoryTreeOf(const std::string& path) {
    return buildTree(path, [](const std::string& level) {
        std::vector<TreeChild> children;
        // A server level would need the network's enumeration; it lists nothing here.
        if (!isViewDirectory(level)) return children;
        eachFound(searchPattern(level), [&](const WIN32_FIND_DATAA& found) {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                children.push_back({found.cFileName, found.cAlternateFileName});
        });
        return children;
    });
}

std::string versionReportOf(const std::string& path, int columns) {
    const std::string shortForm = shortPath(path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(shortForm.c_str(), &ignored);
    std::vector<char> data(size);
    std::optional<FixedVersion> fixed;
    if (size > 0 && GetFileVersionInfoA(shortForm.c_str(), 0, size, data.data())) {
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) && info &&
            length >= sizeof *info)
            fixed = FixedVersion{info->dwFileFlagsMask, info->dwFileFlags, info->dwFileOS,
                                 info->dwFileType, info->dwFileSubtype};
    }
    char prefix[64] = "";
    WORD* translation = nullptr;
    UINT length = 0;
    if (fixed && VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                                reinterpret_cast<void**>(&translation), &length) &&
        translation && length >= 4)
        wsprintfA(prefix, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    return versionReport(shortForm, columns, fixed,
                         [&](const std::string& name) -> std::optional<std::string> {
                             if (!prefix[0]) return std::nullopt;
                             char* value = nullptr;
                             UINT chars = 0;
                             const std::string query = prefix + name;
                             if (!VerQueryValueA(data.data(), query.c_str(),
                                                 reinterpret_cast<void**>(&value), &chars) ||
                                 !value)
                                 return std::nullopt;
                             return std::string(value, strnlen(value, chars));
                         });
}

std::string archiveListing(HWND owner, const char* library, const char* entry,
                           const std::string& command) {
    using Entry = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
    struct Library {
        HMODULE module;
        ~Library() {
            if (module) FreeLibrary(module);
        }
    } loaded{LoadLibraryA(library)};
    if (!loaded.module) return {};
    const auto call =
        reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(loaded.module, entry)));
    if (!call) return {};
    std::string buffer(TextChunk, '\0');
    call(owner, command.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    buffer.back() = '\0';
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}

std::string documentText(const std::string& path) {
    FileChunks file(path);
    std::string bytes;
    // Pages are read whole, up to a bound that keeps a stray huge file cheap.
    constexpr std::size_t Limit = 8 << 20;
    for (std::size_t got = 0; bytes.size() < Limit;) {
        bytes.resize(bytes.size() + TextChunk);
        got = file.readAt(bytes.size() - TextChunk, bytes.data() + bytes.size() - TextChunk,
                          TextChunk);
        bytes.resize(bytes.size() - TextChunk + got);
        if (got < TextChunk) break;
    }
    const std::string charset = pageCharset(bytes);
    const unsigned page = codePageOf(charset);
    std::wstring text;
    if (page == 1200 || page == 1201) {
        text = utf16(bytes, page == 1201);
    } else {
        std::string_view body = bytes;
        if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
        text = wide(body, page ? page : 932);
    }
    const std::string utf8 = narrow(text, CP_UTF8);
    const std::string shown = isXmlPath(path) ? indentXml(utf8) : htmlToText(utf8);
    return narrow(wide(shown, CP_UTF8), 932);
}
