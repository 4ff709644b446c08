#include "app/win/ftp_listing_reader.h"

#include <vector>

#include "base/sjis.h"
#include "ftp/account.h"
#include "ftp/ftp_path.h"
#include "ftp/time_rule.h"
#include "ftp/win/ftp_login_dialog.h"
#include "services/work_directory.h"

namespace {

uint64_t nowUtc() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return (uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

ftp::LocalClock localClock() {
    return {[](uint64_t t) {
                FILETIME utc{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)}, local{};
                SYSTEMTIME st{};
                FileTimeToLocalFileTime(&utc, &local);
                FileTimeToSystemTime(&local, &st);
                return ftp::CalendarTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
            },
            [](const ftp::CalendarTime& c) -> std::optional<uint64_t> {
                if (!ftp::fileTimeOf(c)) return std::nullopt;
                SYSTEMTIME st{};
                st.wYear = static_cast<WORD>(c.year);
                st.wMonth = static_cast<WORD>(c.month);
                st.wDay = static_cast<WORD>(c.day);
                st.wHour = static_cast<WORD>(c.hour);
                st.wMinute = static_cast<WORD>(c.minute);
                st.wSecond = static_cast<WORD>(c.second);
                FILETIME local{}, utc{};
                if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc))
                    return std::nullopt;
                return (uint64_t(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
            }};
}

bool makeDirectoryLevel(const std::string& d) {
    if (CreateDirectoryA(d.c_str(), nullptr)) return true;
    DWORD a = GetFileAttributesA(d.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

FtpListingReader::~FtpListingReader() {
    if (settings_.FtpSaveCache == 0) return;
    const ftp::LocalClock clock = localClock();
    for (const std::string& host : cache_.hosts()) {
        const std::string text = cache_.save(host, clock);
        HANDLE h = CreateFileA(cacheFile(host).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) continue;
        DWORD written = 0;
        WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(h);
    }
}

std::string FtpListingReader::cacheFile(const std::string& hostKey) const {
    std::string directory = settings_.WorkDirectory(3, makeDirectoryLevel);
    // Nothing else may have made V_WORK yet.
    for (const std::string& level : directoryChain(directory)) makeDirectoryLevel(level);
    if (!directory.empty() && directory.back() != '\\') directory += '\\';
    return directory + ftp::cacheFileName(hostKey);
}

void FtpListingReader::loadSavedCache(const std::string& hostKey) {
    if (settings_.FtpSaveCache == 0 || !cacheLoaded_.insert(hostKey).second) return;
    HANDLE h = CreateFileA(cacheFile(hostKey).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    std::string text;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0 && text.size() < (64u << 20))
        text.append(buffer, got);
    CloseHandle(h);
    cache_.load(hostKey, text, settings_.FtpSaveCache, nowUtc(), localClock());
}

void fillFtpListing(const ftp::Listing& listing, const ExtTable& table, bool correctTimes, uint64_t now,
                    FileList& raw) {
    raw.clear();
    for (const ftp::ListedEntry& e : listing.entries) {
        uint32_t attributes = e.directory ? AttrDirectory : AttrArchive;
        uint64_t time = correctTimes ? ftp::correctedTime(e.time, e.exactTime, now) : e.time;
        FileEntry entry = makeEntry(e.name, attributes, e.directory ? 0 : e.size, time);
        std::string_view name = entry.name();
        std::size_t dot = sjis::findLastChar(name, '.');
        std::string_view ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
        if (!table.isVisible(ext, attributes)) continue;
        raw.append(entry);
    }
}

std::string normalisedFtpPath(const std::string& path) {
    auto parsed = ftp::parseFtpPath(path);
    if (!parsed) return path;
    std::vector<std::string> parts;
    std::size_t i = 0;
    const std::string& p = parsed->path;
    while (i < p.size()) {
        std::size_t next = p.find('/', i);
        if (next == std::string::npos) next = p.size();
        std::string part = p.substr(i, next - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = next + 1;
    }
    std::string out;
    for (const std::string& part : parts) out += "/" + part;
    if (out.empty() && !p.empty()) out = "/";
    parsed->path = out;
    return parsed->canonical();
}

bool FtpListingReader::connect(const std::string& hostKey, const std::string& host, uint16_t port) {
    Profile& profile = settings_.profile();
    ftp::Account account = ftp::readAccount(profile, hostKey);
    if (account.user.empty()) {
        if (!ftp::runLoginDialog(owner_, hostKey, account)) return false;
        ftp::writeAccount(profile, hostKey, account);
    }
    if (account.user.empty()) return false;
    if (session_.IsConnected() && session_.GetHost() == host && session_.GetPort() == port &&
        session_.GetUser() == account.user)
        return true;
    for (int attempt = 0;; ++attempt) {
        if (session_.Connect(host, account.user, account.password, account.passive, port, true)) return true;
        if (session_.LastFailure() != ftp::Failure::Login || attempt > 0) break;
        // A refused login asks again, once, with what was stored filled in.
        if (!ftp::runLoginDialog(owner_, hostKey, account) || account.user.empty()) return false;
        ftp::writeAccount(profile, hostKey, account);
    }
    std::string text = session_.ErrorText().substr(0, 1024);
    MessageBoxA(owner_, text.c_str(), hostKey.c_str(), MB_OK | MB_ICONWARNING | MB_SYSTEMMODAL);
    return false;
}

bool FtpListingReader::read(const std::string& requested, FileList& raw) {
    const std::string wanted = normalisedFtpPath(requested);
    auto parsed = ftp::parseFtpPath(wanted);
    if (!parsed) return false;
    // The place already shown asked for again is a reload: from the server.
    const bool reload = wanted == listed_;
    listed_.clear();
    const std::string hostKey = parsed->hostKey();
    ftp::SessionLock lock(session_);
    loadSavedCache(hostKey);
    ftp::Listing listing;
    ftp::FtpPath shown = *parsed;
    std::string cached = parsed->path;
    auto hit = reload ? std::nullopt : cache_.lookup(hostKey, cached);
    user_ = ftp::readAccount(settings_.profile(), hostKey).user;
    fromCache_ = hit && !user_.empty();
    if (fromCache_) {
        listing.entries = std::move(*hit);
        shown.path = cached;
    } else {
        if (!connect(hostKey, parsed->host, parsed->port)) return false;
        std::string directory = parsed->path;
        if (!directory.empty() && !session_.ChangeDirectory(directory)) return false;
        auto here = session_.GetCurrentDirectory();
        if (!here) return false;
        if (!session_.List(listing)) return false;
        shown.path = *here;
        cache_.store(hostKey, shown.path, listing.entries, nowUtc());
        user_ = session_.GetUser();
    }
    listed_ = shown.canonical();
    fillFtpListing(listing, table_, settings_.FtpTime != 0, nowUtc(), raw);
    if (ftp::slashCount(listed_) >= 3) raw.append(makeEntry("..", AttrDirectory));
    return true;
}
