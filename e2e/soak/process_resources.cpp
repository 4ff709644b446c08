#include "e2e/soak/process_resources.h"

#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {
// SystemExtendedHandleInformation: Wine fills it from the server's handle tables.
constexpr ULONG ExtendedHandleInformation = 64;

struct HandleEntry {
    void* object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT backTrace;
    USHORT type;
    ULONG attributes;
    ULONG reserved;
};
struct HandleList {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};

int countHandles(DWORD processId) {
    std::vector<char> buffer(1 << 20);
    for (int attempt = 0; attempt < 6; ++attempt) {
        ULONG needed = 0;
        const NTSTATUS status = NtQuerySystemInformation(
            static_cast<SYSTEM_INFORMATION_CLASS>(ExtendedHandleInformation), buffer.data(),
            static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) {
            const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
            int n = 0;
            for (ULONG_PTR i = 0; i < list->count; ++i)
                if (list->entries[i].processId == processId) ++n;
            return n;
        }
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
    }
    return -1;
}

// The 64-bit PEB keeps the address of the GDI handle table at 0xF8; Wine
// fills the table as Windows does, one 24-byte entry per handle, type 0 free.
struct GdiEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiEntry) == 24);
constexpr std::size_t GdiTableEntries = 0x10000;
constexpr std::size_t PebGdiTableOffset = 0xF8;

int countGdiObjects(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &length))
        return -1;
    std::uint64_t table = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(static_cast<void*>(basic.PebBaseAddress)) +
                                        PebGdiTableOffset,
                           &table, sizeof table, &read) ||
        table == 0)
        return -1;
    std::vector<GdiEntry> entries(GdiTableEntries);
    constexpr std::size_t Chunk = 1024;
    std::size_t have = 0;
    for (; have < GdiTableEntries; have += Chunk) {
        if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table + have * sizeof(GdiEntry)),
                               &entries[have], Chunk * sizeof(GdiEntry), &read))
            break;
    }
    if (have == 0) return -1;
    int n = 0;
    for (std::size_t i = 0; i < have; ++i)
        if (entries[i].type != 0) ++n;
    return n;
}

struct WindowCount {
    DWORD processId;
    int count;
};

BOOL CALLBACK countChild(HWND, LPARAM lp) {
    ++reinterpret_cast<WindowCount*>(lp)->count;
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND hwnd, LPARAM lp) {
    auto* counter = reinterpret_cast<WindowCount*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != counter->processId) return TRUE;
    ++counter->count;
    EnumChildWindows(hwnd, countChild, lp);
    return TRUE;
}

int countWindows(DWORD processId) {
    WindowCount counter{processId, 0};
    EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&counter));
    for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == processId) ++counter.count;
    }
    return counter.count;
}
}  // namespace

ResourceCounts countResources(HANDLE process, DWORD processId) {
    return {countHandles(processId), countGdiObjects(process), countWindows(processId)};
}

std::string describe(const ResourceCounts& c) {
    char text[96];
    std::snprintf(text, sizeof text, "handles %d, GDI %d, windows %d", c.handles, c.gdi, c.windows);
    return text;
}
