#include "archive/archive_commands.h"

#include "archive/archive_path.h"
#include "base/path.h"
#include "services/work_directory.h"

namespace {

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string replaced(std::string text, char from, char to) {
    for (std::size_t at : charPositions(text, from)) text[at] = to;
    return text;
}

}  // namespace

std::string extractCommandLine(ArchiveType type, std::string_view archiveFile,
                               const std::vector<std::string>& members) {
    std::string list;
    for (const std::string& member : members) list += quoted(member) + " ";
    switch (type) {
    case ArchiveLzh: return "x -cnr " + quoted(archiveFile) + " " + list;
    case ArchiveZip: return "-x -o " + quoted(archiveFile) + " " + replaced(list, '\\', '/');
    case ArchiveCab: return "-x " + quoted(archiveFile) + " " + replaced(list, '/', '\\');
    case ArchiveTar: return "-zxvf " + quoted(archiveFile) + " " + list;
    default: return {};
    }
}

std::string memberOfSource(std::string_view inside) {
    std::string member(inside);
    if (member.ends_with("\\*") || member.ends_with("/*")) member.resize(member.size() - 2);
    return member;
}

std::string unpackCommandLine(ArchiveType type, std::string_view archivePath) {
    const std::string path = !archivePath.empty() && archivePath.front() == '"'
                                 ? std::string(archivePath)
                                 : quoted(archivePath);
    return unpackOption(type) + " " + path;
}

std::string packCommandLine(ArchiveType type, std::string_view archiveName,
                            const std::vector<PackItem>& items) {
    std::string line = packOption(type) + " ";
    line += archiveName.find('"') != std::string_view::npos ? std::string(archiveName)
                                                            : quoted(archiveName);
    for (const PackItem& item : items)
        line += " " + quoted(item.directory ? item.name + "\\*.*" : item.name);
    return line;
}

std::string numberedWorkDirectory(std::string_view base, int number, std::string_view archiveFile) {
    std::string directory(base);
    if (!directory.empty() && !endsWithSeparator(directory)) directory += '\\';
    return directory + std::to_string(number) + lastComponent(archiveFile);
}
