#include "archivers/core/command_run.h"

#include <vector>

#include "archivers/core/archive_format.h"
#include "archivers/core/command_line.h"
#include "archivers/core/error_code.h"
#include "archivers/core/extract_run.h"
#include "archivers/core/gzip_stream.h"
#include "archivers/core/listing_text.h"
#include "archivers/core/lzh_writer.h"
#include "archivers/core/member_path.h"
#include "archivers/core/pack_run.h"
#include "archivers/core/tar_writer.h"
#include "archivers/core/zip_writer.h"

namespace arc {
namespace {

enum class Action { List, Extract, Pack, Unknown };

struct Plan {
    Action action = Action::Unknown;
    Format format = Format::Zip;
    bool overwrite = false;
    bool keepPaths = true;
    bool recursive = false;
    bool gzip = false;
    int lzhBits = 13;
    std::string targetDirectory;
};

bool endsWithSeparator(const std::string& s) { return !s.empty() && (s.back() == '\\' || s.back() == '/'); }

Plan plan(Library library, CommandLine& cl) {
    Plan p;
    switch (library) {
    case Library::UnZip:
        p.format = Format::Zip;
        p.action = cl.hasOption("l") || cl.hasOption("v") ? Action::List : Action::Extract;
        p.overwrite = cl.hasOption("o");
        p.keepPaths = !cl.hasOption("j");
        break;
    case Library::Zip:
        p.action = Action::Pack;
        p.recursive = cl.hasOption("r");
        break;
    case Library::Tar:
        p.format = Format::Tar;
        p.action = cl.hasOption("c") ? Action::Pack : cl.hasOption("t") ? Action::List : Action::Extract;
        p.gzip = cl.hasOption("z");
        p.overwrite = true;  // tar replaces what it unpacks
        p.recursive = true;
        if (cl.hasOption("j") && p.action == Action::Pack) p.action = Action::Unknown;  // no bzip2 writer
        break;
    case Library::Unlha:
        p.format = Format::Lzh;
        if (cl.command == "l" || cl.command == "v") p.action = Action::List;
        else if (cl.command == "x" || cl.command == "e") p.action = Action::Extract;
        else if (cl.command == "a") p.action = Action::Pack;
        p.keepPaths = cl.command != "e";
        p.overwrite = cl.hasOption("c") || cl.hasOption("m");
        p.recursive = cl.hasOption("d") || cl.hasOption("r");
        for (const auto& o : cl.options) {
            if (o == "-lh6" || o == "-o6") p.lzhBits = 15;
            if (o == "-lh7" || o == "-o7") p.lzhBits = 16;
        }
        // "x archive dir\ names": a first name ending in a separator is the target.
        if (p.action == Action::Extract && !cl.names.empty() && endsWithSeparator(cl.names[0])) {
            p.targetDirectory = cl.names[0];
            cl.names.erase(cl.names.begin());
        }
        break;
    case Library::Unrar:
        p.format = Format::Rar;
        p.action = cl.hasOption("l") || cl.hasOption("v") ? Action::List : Action::Extract;
        p.overwrite = cl.hasOption("o");
        break;
    }
    return p;
}

int list(Format format, Disk& disk, const CommandLine& cl, const TextCodec& codec, std::string& output,
         std::size_t limit) {
    auto source = disk.openRead(cl.archive);
    if (!source) return kErrorArcFileOpen;
    auto reader = makeReader(format, *source, codec);
    std::vector<Member> members;
    Member m;
    std::size_t bytes = 0;
    while (reader->next(m)) {
        if (!cl.names.empty()) {
            bool any = false;
            for (const auto& n : cl.names) any = any || memberSelected(m.name, n) || wildcardMatch(n, m.name);
            if (!any) continue;
        }
        bytes += m.name.size() + 80;
        if (bytes < limit + 4096) members.push_back(m);  // the text is cut at the buffer anyway
    }
    output = listingText(members, limit);
    return reader->error();
}

int extract(const Plan& p, Disk& disk, const CommandLine& cl, const TextCodec& codec, std::string& output) {
    auto source = disk.openRead(cl.archive);
    if (!source) return kErrorArcFileOpen;
    auto reader = makeReader(p.format, *source, codec);
    ExtractOptions options;
    options.names = cl.names;
    options.overwrite = p.overwrite;
    options.keepPaths = p.keepPaths;
    if (!p.targetDirectory.empty()) {
        auto target = safeMemberPath(p.targetDirectory);
        if (!target) {
            output = "target directory refused: " + p.targetDirectory + "\n";
            return kErrorMakeDirectory;
        }
        if (!disk.makeDirectories(*target)) return kErrorMakeDirectory;
        options.targetDirectory = *target;
    }
    ExtractResult r = extractMembers(*reader, disk, options, output);
    if (r.code == kOk && r.extracted == 0 && !cl.names.empty()) return kErrorNotExist;
    return r.code;
}

int pack(const Plan& p, Library library, Disk& disk, const CommandLine& cl, const TextCodec& codec,
         std::string& output) {
    if (disk.exists(cl.archive)) {
        // Adding to an archive is not offered; replacing it would lose what it holds.
        output = "archive exists: " + cl.archive + "\n";
        return kErrorAlreadyExist;
    }
    auto file = disk.create(cl.archive);
    if (!file) return kErrorFileOpen;
    PackOptions options;
    options.names = cl.names;
    options.recursive = p.recursive;
    options.archive = forwardSlashes(cl.archive);
    while (options.archive.size() >= 2 && options.archive[0] == '.' && options.archive[1] == '/')
        options.archive.erase(0, 2);
    if (options.names.empty()) options.names.push_back("*");
    PackResult r;
    if (library == Library::Zip) {
        ZipWriter w(*file);
        r = packFiles(w, disk, options, output);
    } else if (library == Library::Unlha) {
        LzhWriter w(*file, p.lzhBits);
        r = packFiles(w, disk, options, output);
    } else if (p.gzip) {
        GzipSink gz(*file);
        TarWriter w(gz, codec);
        r = packFiles(w, disk, options, output);
        if (!gz.finish()) keepFirst(r.code, kErrorCannotWrite);
    } else {
        TarWriter w(*file, codec);
        r = packFiles(w, disk, options, output);
    }
    if (r.code == kOk && r.packed == 0) r.code = kErrorNotExist;
    // A failed run leaves no archive behind: the temporary goes with `file`.
    if (r.code == kOk && !file->commit(false, 0, 0)) r.code = kErrorCannotWrite;
    return r.code;
}

}  // namespace

int runCommand(Library library, std::string_view commandLine, Disk& disk, const TextCodec& codec,
               std::string& output, std::size_t outputLimit) {
    static const std::vector<std::string> lzhCommands = {"a", "x", "e", "l", "v"};
    CommandLine cl = parseCommandLine(commandLine, library == Library::Unlha ? lzhCommands : std::vector<std::string>{});
    if (cl.archive.empty()) return kErrorCommandName;
    Plan p = plan(library, cl);
    switch (p.action) {
    case Action::List: return list(p.format, disk, cl, codec, output, outputLimit);
    case Action::Extract: return extract(p, disk, cl, codec, output);
    case Action::Pack: return pack(p, library, disk, cl, codec, output);
    case Action::Unknown: break;
    }
    return kErrorCommandName;
}

}  // namespace arc
