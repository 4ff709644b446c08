// Data-connection listings in both forms; whatever survives the name check
// must be a name that stays inside its directory and carries no command.
#include <cstdint>
#include <cstdlib>

#include "ftp/command_text.h"
#include "ftp/listing_cache.h"
#include "ftp/listing_parse.h"
#include "ftp/server_names.h"

namespace {

// Keeps ASCII and turns the rest into "?", as a code page that holds nothing
// else would.
class AsciiCodec final : public ftp::NameCodec {
public:
    std::string utf8ToSjis(std::string_view s) const override {
        std::string out;
        for (char c : s)
            if (static_cast<unsigned char>(c) < 0x80) out += c;
            else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) out += '?';
        return out;
    }
    std::string sjisToUtf8(std::string_view s) const override { return std::string(s); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    bool mlsd = data[0] & 1;
    bool utf8 = data[0] & 2;
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    ftp::CalendarTime now{2026, 1 + data[0] % 12, 1 + data[0] % 28, 12, 0, 0};
    ftp::Listing listing = ftp::parseListing(text, mlsd, now);
    AsciiCodec codec;
    ftp::acceptListedNames(listing, utf8, codec);
    for (const ftp::ListedEntry& e : listing.entries) {
        if (!ftp::isSafeListedName(e.name)) abort();
        if (!ftp::commandLine("RETR", e.name)) abort();
        if (e.time != 0) ftp::calendarOf(e.time);
    }
    // The same bytes as a saved listing cache file read back.
    ftp::ListingCache cache;
    ftp::LocalClock clock{[](uint64_t t) { return ftp::calendarOf(t); },
                          [](const ftp::CalendarTime& c) { return ftp::fileTimeOf(c); }};
    cache.load("h", text, data[0] % 3, 0, clock);
    for (const std::string& host : cache.hosts()) cache.save(host, clock);
    return 0;
}
