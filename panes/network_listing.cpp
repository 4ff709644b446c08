#include "panes/network_listing.h"

#include <cstring>

#include "base/path.h"
#include "base/sjis.h"

namespace {

constexpr std::size_t CommentBytes = 13;

std::size_t countBackslashes(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += sjis::charLength(s, i)) {
        if (s[i] == '\\' && sjis::charLength(s, i) == 1) ++n;
    }
    return n;
}

FileEntry networkEntry(const NetResource& r, EntryKind kind) {
    FileEntry e = makeEntry(r.remoteName);
    // A comment cut inside a double-byte character would leave a lone lead byte.
    const std::size_t len = sjis::fittingLength(r.comment, CommentBytes);
    std::memcpy(e.cAlternateFileName, r.comment.data(), len);
    e.kind = kind;
    return e;
}

}  // namespace

bool isNetworkForm(std::string_view path, bool existenceTest) {
    if (isFtpPath(path)) return false;
    if (!path.starts_with("\\\\") && !path.starts_with("//")) return false;
    return countBackslashes(path) <= (existenceTest ? 3u : 2u);
}

std::string networkContainer(std::string_view path) {
    if (path.starts_with("//")) path.remove_prefix(2);
    return std::string(path);
}

EntryKind networkEntryKind(std::string_view container) {
    if (container.empty()) return EntryNetDomain;
    if (container.front() != '\\') return EntryNetComputer;
    return EntryNetShare;
}

int enumerateNetwork(NetworkResources& net, const ExtTable& table, std::string_view path,
                     FileList& list, bool all) {
    list.clear();
    const std::string container = networkContainer(path);
    const EntryKind kind = networkEntryKind(container);
    int count = 0;
    const bool opened = net.enumerate(container, [&](const NetResource& r) {
        ++count;
        FileEntry e = networkEntry(r, kind);
        if (table.isVisible(extensionOf(e.name()), 0)) list.append(e);
        return all;
    });
    return opened ? count : -1;
}

bool isNetworkContainer(NetworkResources& net, const ExtTable& table, std::string_view path) {
    if (!isNetworkForm(path, true)) return false;
    FileList probe;
    return enumerateNetwork(net, table, path, probe, false) > 0;
}

std::optional<std::string> networkParent(std::string_view path) {
    if (!isNetworkForm(path)) return std::nullopt;
    return std::string("//");
}

bool NetworkListingReader::read(const std::string& path, FileList& raw) {
    if (!isNetworkForm(path)) return false;
    return enumerateNetwork(net_, table_, path, raw, true) >= 0;
}
