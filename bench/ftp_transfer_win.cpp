// One timed FTP operation of our client against a running server, for
// scripts/bench-ftp, which sets curl's time for the same thing beside it:
//   ftp_transfer_win PORT USER PASS get REMOTE LOCAL
//   ftp_transfer_win PORT USER PASS put LOCAL REMOTE
//   ftp_transfer_win PORT USER PASS list DIRECTORY COLOR.TBL
//   ftp_transfer_win PORT USER PASS relist DIRECTORY N
// Prints the seconds from connecting to the end (as curl's time_total counts);
// relist prints two: N listings on one kept connection, as the browsing
// session makes them, and N listings each on a new connection.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/win/ftp_listing_reader.h"
#include "ftp/win/ftp_client.h"
#include "panes/listing_sort.h"

int main(int argc, char** argv) {
    if (argc < 7) {
        std::fprintf(stderr, "usage: ftp_transfer_win PORT USER PASS get|put|list ARG [ARG]\n");
        return 2;
    }
    const uint16_t port = static_cast<uint16_t>(std::atoi(argv[1]));
    const std::string what = argv[4];
    using Clock = std::chrono::steady_clock;
    if (what == "relist") {
        const int times = std::atoi(argv[6]);
        auto seconds = [](Clock::time_point from) {
            return std::chrono::duration<double>(Clock::now() - from).count();
        };
        auto listOnce = [&](ftp::FtpClient& c) {
            ftp::Listing listing;
            return c.changeDirectory(argv[5]) && c.list(listing);
        };
        auto start = Clock::now();
        ftp::FtpClient kept;
        bool ok = kept.connect("127.0.0.1", port, argv[2], argv[3], true);
        for (int i = 0; ok && i < times; ++i) ok = listOnce(kept);
        const double keptSeconds = seconds(start);
        kept.disconnect();
        start = Clock::now();
        for (int i = 0; ok && i < times; ++i) {
            ftp::FtpClient fresh;
            ok = fresh.connect("127.0.0.1", port, argv[2], argv[3], true) && listOnce(fresh);
        }
        const double freshSeconds = seconds(start);
        if (!ok) {
            std::fprintf(stderr, "relist failed\n");
            return 1;
        }
        std::printf("%.4f %.4f\n", keptSeconds, freshSeconds);
        return 0;
    }
    auto start = Clock::now();
    ftp::FtpClient client;
    if (!client.connect("127.0.0.1", port, argv[2], argv[3], true)) {
        std::fprintf(stderr, "connect: %s\n", client.errorText().c_str());
        return 1;
    }
    bool ok = false;
    std::size_t count = 0;
    if (what == "get" && argc > 6) {
        ok = client.retrieve(argv[5], argv[6]);
    } else if (what == "put" && argc > 6) {
        ok = client.store(argv[5], argv[6]);
    } else if (what == "list" && argc > 6) {
        ExtTable table;
        table.load(argv[6]);
        ftp::Listing listing;
        ok = client.changeDirectory(argv[5]) && client.list(listing);
        FileList shown;
        fillFtpListing(listing, table, false, 0, shown);
        SortKeys keys;
        sortListing(shown, keys);
        count = shown.count();
    }
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    client.disconnect();
    if (!ok) {
        std::fprintf(stderr, "%s: %s\n", what.c_str(), client.errorText().c_str());
        return 1;
    }
    std::printf("%.4f %zu\n", seconds, count);
    return 0;
}
