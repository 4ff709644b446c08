#include "panes/win/win_network_resources.h"

#include <windows.h>
#include <winnetwk.h>

#include <vector>

namespace {
struct EnumHandle {
    HANDLE handle = nullptr;
    ~EnumHandle() {
        if (handle) WNetCloseEnum(handle);
    }
};
}  // namespace

bool WinNetworkResources::enumerate(const std::string& container,
                                    const std::function<bool(const NetResource&)>& each) {
    NETRESOURCEA start{};
    start.dwScope = RESOURCE_GLOBALNET;
    start.dwUsage = RESOURCEUSAGE_CONTAINER;
    std::string remote = container;
    start.lpRemoteName = remote.empty() ? nullptr : remote.data();
    char provider[] = "Microsoft Windows Network";
    start.lpProvider = provider;
    EnumHandle open;
    if (WNetOpenEnumA(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, remote.empty() ? nullptr : &start,
                      &open.handle) != NO_ERROR)
        return false;
    // Resources come one at a time into a buffer that grows when one does not fit.
    std::vector<char> buffer(16 * 1024);
    for (;;) {
        DWORD count = 1;
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD result = WNetEnumResourceA(open.handle, &count, buffer.data(), &size);
        if (result == ERROR_MORE_DATA) {
            buffer.resize(size);
            continue;
        }
        if (result != NO_ERROR || count == 0) break;
        const auto* resource = reinterpret_cast<const NETRESOURCEA*>(buffer.data());
        NetResource found;
        if (resource->lpRemoteName) found.remoteName = resource->lpRemoteName;
        if (resource->lpComment) found.comment = resource->lpComment;
        if (!each(found)) break;
    }
    return true;
}
