// Natively: the ZIP reader's full listing (folded into the top level as the
// pane shows it) against "bsdtar -tf" on the same archive, and unpacking a
// large ZIP through the library's command against "unzip", each in a child
// process so its time and peak memory are its own. Paired in every round.
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "archive/archive_listing.h"
#include "archivers/core/archive_format.h"
#include "archivers/core/byte_source.h"
#include "archivers/core/command_run.h"
#include "archivers/core/disk.h"
#include "archivers/core/text_codec.h"
#include "bench/spread.h"

namespace {
using Clock = std::chrono::steady_clock;

struct Run {
    double ms = 0;
    long peakKb = 0;
    int status = -1;
};

// Forks, runs body in the child (its exit code is the child's), and measures.
template <class Body>
Run inChild(Body body) {
    const auto start = Clock::now();
    pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {std::chrono::duration<double, std::milli>(Clock::now() - start).count(),
            usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

int shell(const std::string& command) { return std::system(command.c_str()) == 0 ? 0 : 1; }

// The tool itself is the child, so its peak memory is its own.
int tool(std::vector<std::string> args) {
    if (FILE* quiet = std::freopen("/dev/null", "w", stdout)) (void)quiet;
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    return 127;
}

std::uint64_t same(std::uint64_t t) { return t; }

int listTopLevel(const std::string& zip) {
    auto source = arc::FileSource::open(zip);
    if (!source) return 2;
    arc::AsciiCodec codec;
    auto reader = arc::makeReader(arc::Format::Zip, *source, codec);
    ArchiveLevel level("", same);
    arc::Member m;
    std::size_t n = 0;
    while (reader->next(m)) {
        level.add({m.name, m.isDirectory ? "D" : "A", static_cast<std::uint32_t>(m.originalSize),
                   m.dosDate, m.dosTime});
        ++n;
    }
    return n > 0 && reader->error() == 0 ? 0 : 3;
}

int unpack(const std::string& zip, const std::string& into) {
    arc::StdioDisk disk(into + "/", [](const std::string& s) { return s; },
                        [](const std::string& s) { return s; });
    arc::AsciiCodec codec;
    std::string output;
    return arc::runCommand(arc::Library::UnZip, "-x -o \"" + zip + "\"", disk, codec, output, 0) == 0
               ? 0
               : 4;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s many.zip large.zip workdir rounds\n", argv[0]);
        return 2;
    }
    auto absolute = [](const char* path) {
        char* real = realpath(path, nullptr);
        std::string out = real ? real : path;
        std::free(real);
        return out;
    };
    const std::string many = absolute(argv[1]), large = absolute(argv[2]), work = argv[3];
    const int rounds = std::atoi(argv[4]);
    std::vector<double> listRatio, ours, bsdtar, unpackRatio, ourUnpack, theirUnpack, peak, toolPeak;
    for (int r = 0; r < rounds; ++r) {
        Run a = inChild([&] { return listTopLevel(many); });
        Run b = inChild([&] { return tool({"bsdtar", "-tf", many}); });
        if (a.status || b.status) return std::fprintf(stderr, "listing failed\n"), 1;
        ours.push_back(a.ms), bsdtar.push_back(b.ms), listRatio.push_back(a.ms / b.ms);

        shell("rm -rf '" + work + "/ours' '" + work + "/theirs' && mkdir -p '" + work + "/ours' '" +
              work + "/theirs'");
        Run c = inChild([&] { return unpack(large, work + "/ours"); });
        Run d = inChild([&] { return tool({"unzip", "-qq", "-o", large, "-d", work + "/theirs"}); });
        if (c.status || d.status) return std::fprintf(stderr, "unpacking failed\n"), 1;
        ourUnpack.push_back(c.ms), theirUnpack.push_back(d.ms), unpackRatio.push_back(c.ms / d.ms);
        peak.push_back(c.peakKb / 1024.0), toolPeak.push_back(d.peakKb / 1024.0);
    }
    printSpread("listing 100,000 entries, reader + top level / bsdtar -tf", listRatio);
    printSpread("  reader + top level, ms", ours, "%.0f");
    printSpread("  bsdtar -tf, ms", bsdtar, "%.0f");
    printSpread("unpacking the large ZIP, ours / unzip", unpackRatio);
    printSpread("  ours, ms", ourUnpack, "%.0f");
    printSpread("  unzip, ms", theirUnpack, "%.0f");
    printSpread("  our peak memory, MB", peak, "%.1f");
    printSpread("  unzip peak memory, MB", toolPeak, "%.1f");
    shell("rm -rf '" + work + "/ours' '" + work + "/theirs'");
    return 0;
}
