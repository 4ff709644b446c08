#include "panes/marked_list_text.h"

#include <cstdint>
#include <cstdlib>

#include "base/path.h"
#include "base/sjis.h"

namespace {

constexpr const char* Section = "COPY_CLIPBORAD";

std::string directoryPrefix(std::string_view directory) {
    std::string prefix(directory);
    const bool endsInBackslash = !directory.empty() &&
                                 sjis::findLastChar(directory, '\\') == directory.size() - 1;
    if (!isFtpPath(directory) && !endsInBackslash) prefix += '\\';
    return prefix;
}

bool readFlag(Profile& profile, const char* key) {
    return std::atoi(profile.read(Section, key).c_str()) != 0;
}

}  // namespace

std::string markedListText(const FileList& list, const CopyListOptions& o,
                           std::string_view directory,
                           const std::function<LocalTime(const FileEntry&)>& localTime) {
    std::string text;
    if (!copyListHasContent(o)) return text;
    const std::string prefix = o.path ? directoryPrefix(directory) : std::string();
    std::size_t marked = 0;
    uint64_t bytes = 0;
    for (const FileEntry& e : list.entries()) {
        if (e.marked == 0) continue;
        ++marked;
        bytes += e.size();
        if (o.time) {
            const LocalTime t = localTime ? localTime(e) : LocalTime{};
            text += dateField(e, t);
            text += timeField(e, t);
            text += "   ";
        }
        if (o.size) {
            text += sizeField(e);
            text += "   ";
        }
        text += prefix;
        if (o.fileName) text += e.name();
        text += "\r\n";
    }
    if (o.total) {
        text += "\r\n    ";
        text += std::to_string(marked);
        text += " file(s)";
        if (o.size) {
            text += "   ";
            text += groupedDigits(bytes);
            text += " bytes";
        }
        text += "\r\n";
    }
    return text;
}

CopyListOptions loadCopyListOptions(Profile& profile) {
    CopyListOptions o;
    o.fileName = readFlag(profile, "FILENAME");
    o.path = readFlag(profile, "PATH");
    o.size = readFlag(profile, "SIZE");
    o.time = readFlag(profile, "TIME");
    o.total = readFlag(profile, "TOTAL");
    return o;
}

void saveCopyListOptions(Profile& profile, const CopyListOptions& o) {
    profile.write(Section, "FILENAME", o.fileName ? "1" : "0");
    profile.write(Section, "PATH", o.path ? "1" : "0");
    profile.write(Section, "SIZE", o.size ? "1" : "0");
    profile.write(Section, "TIME", o.time ? "1" : "0");
    profile.write(Section, "TOTAL", o.total ? "1" : "0");
}
