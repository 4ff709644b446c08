#pragma once
// Reads "|host[:port]/dir" into a pane: the account (the login dialog when
// there is none or it was refused), the browsing session, the server's own
// name for the directory, the ".." entry from depth three, the time rule.
#include <windows.h>

#include <set>
#include <string>

#include "ftp/listing_cache.h"
#include "ftp/win/ftp_session.h"
#include "panes/ext_table.h"
#include "panes/listing_source.h"
#include "services/settings.h"

class FtpListingReader final : public ListingReader {
public:
    FtpListingReader(Settings& settings, const ExtTable& table, ftp::FtpSession& session)
        : settings_(settings), table_(table), session_(session) {}
    // Saves the cache when "FtpSaveCache" asks for it.
    ~FtpListingReader() override;
    void setOwner(HWND owner) { owner_ = owner; }

    bool read(const std::string& path, FileList& raw) override;
    std::string listedPath() const override { return listed_; }
    // Of the last listing read: whether it came from the cache, and the user
    // of its host's account.
    bool fromCache() const { return fromCache_; }
    const std::string& user() const { return user_; }

private:
    bool connect(const std::string& hostKey, const std::string& host, uint16_t port);
    std::string cacheFile(const std::string& hostKey) const;
    void loadSavedCache(const std::string& hostKey);

    Settings& settings_;
    const ExtTable& table_;
    ftp::FtpSession& session_;
    HWND owner_ = nullptr;
    std::string listed_;
    bool fromCache_ = false;
    std::string user_;
    ftp::ListingCache cache_;
    std::set<std::string> cacheLoaded_;
};

// The entries of a listing as the pane takes them: hidden ones left out,
// times corrected when asked.
void fillFtpListing(const ftp::Listing& listing, const ExtTable& table, bool correctTimes, uint64_t now,
                    FileList& raw);

// "|h/a/../b/./c" as "|h/b/c": the pane appends ".." to go up.
std::string normalisedFtpPath(const std::string& path);
