#include "ftp/win/ftp_session.h"

#include "ftp/ftp_path.h"

namespace ftp {

FtpSession::FtpSession(std::string name) : name_(std::move(name)) {}

FtpSession::~FtpSession() { Disconnect(); }

void FtpSession::Lock() {
    const DWORD self = GetCurrentThreadId();
    for (;;) {
        DWORD expected = 0;
        if (lockOwner_.compare_exchange_strong(expected, self) || expected == self) break;
        Sleep(100);
    }
    ++lockCount_;
}

void FtpSession::Unlock() {
    if (lockOwner_.load() != GetCurrentThreadId() || lockCount_ == 0) return;
    if (--lockCount_ == 0) lockOwner_.store(0);
}

bool FtpSession::Connect(const std::string& host, const std::string& user, const std::string& password,
                         bool passive, uint16_t port, bool force) {
    SessionLock lock(*this);
    if (!force && client_.connected() && host == host_ && user == user_ && password == password_ &&
        passive == passive_ && port == port_)
        return false;
    host_ = host;
    user_ = user;
    password_ = password;
    passive_ = passive;
    port_ = port;
    directory_.clear();
    if (!client_.connect(host, port, user, password, passive)) return false;
    removeStrayParts();
    return true;
}

void FtpSession::removeStrayParts() {
    std::vector<StrayPart> kept;
    for (StrayPart& stray : strays_) {
        if (stray.host != host_ || stray.port != port_ || stray.user != user_) {
            kept.push_back(std::move(stray));
            continue;
        }
        // Without SIZE there is no telling whose it is: left alone.
        if (!client_.features().size) continue;
        std::optional<uint64_t> size = client_.size(stray.path);
        if (size && *size <= stray.sent) client_.deleteFile(stray.path);
    }
    strays_ = std::move(kept);
}

std::string FtpSession::absolute(const std::string& remote) const {
    if (remote.starts_with("/") || directory_.empty()) return remote;
    return directory_ + (directory_.ends_with("/") ? "" : "/") + remote;
}

bool FtpSession::Reconnect() {
    SessionLock lock(*this);
    const std::string directory = directory_;
    if (!Connect(host_, user_, password_, passive_, port_, true)) return false;
    // A new connection starts at home: back to where the old one was.
    if (!directory.empty() && client_.changeDirectory(directory)) directory_ = directory;
    return true;
}

void FtpSession::SetParameters(const std::string& host, const std::string& user,
                               const std::string& password, bool passive, uint16_t port) {
    SessionLock lock(*this);
    if (host != host_ || user != user_ || password != password_ || passive != passive_ || port != port_)
        client_.disconnect();
    host_ = host;
    user_ = user;
    password_ = password;
    passive_ = passive;
    port_ = port;
}

void FtpSession::Disconnect() {
    SessionLock lock(*this);
    client_.disconnect();
}

void FtpSession::SetStatusWindow(HWND window) {
    SessionLock lock(*this);
    client_.setStatusWindow(window);
}

template <class Call>
bool FtpSession::retried(Call call) {
    SessionLock lock(*this);
    if (client_.connected() && call()) return true;
    Failure f = client_.failure();
    if (f == Failure::Cancelled || f == Failure::Local) return false;
    if (host_.empty() || !Reconnect()) return false;
    return call();
}

bool FtpSession::List(Listing& entries) {
    return retried([&] { return client_.list(entries); });
}

bool FtpSession::ChangeDirectory(std::string& path) {
    SessionLock lock(*this);
    if (!retried([&] { return client_.changeDirectory(path.empty() ? "/" : path); })) {
        if (!client_.connected()) return false;
        std::string parent = parentPath(path);
        if (parent == path || !client_.changeDirectory(parent)) return false;
        path = parent;
    }
    if (auto here = client_.currentDirectory()) directory_ = *here;
    return true;
}

std::optional<std::string> FtpSession::GetCurrentDirectory() {
    SessionLock lock(*this);
    return client_.currentDirectory();
}

namespace {

bool localState(const std::string& path, uint64_t& size, uint64_t& time) {
    WIN32_FILE_ATTRIBUTE_DATA d{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d) ||
        (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    size = (uint64_t(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
    time = (uint64_t(d.ftLastWriteTime.dwHighDateTime) << 32) | d.ftLastWriteTime.dwLowDateTime;
    return true;
}

constexpr uint64_t Minute = 60ull * 10000000ull;

}  // namespace

bool FtpSession::GetFile(const std::string& remote, const std::string& local,
                         const std::atomic<bool>* cancel) {
    SessionLock lock(*this);
    std::optional<uint64_t> remoteTime, remoteSize;
    if (client_.connected()) {
        if (client_.features().mdtm) remoteTime = client_.modified(remote);
        if (client_.features().size) remoteSize = client_.size(remote);
    }
    // A local copy of the same size and minute is the file already.
    uint64_t size = 0, time = 0;
    if (remoteTime && remoteSize && localState(local, size, time) && size == *remoteSize &&
        time / Minute == *remoteTime / Minute)
        return true;
    if (!retried([&] { return client_.retrieve(remote, local, cancel); })) return false;
    if (!remoteTime && client_.features().mdtm) remoteTime = client_.modified(remote);
    if (remoteTime) {
        HANDLE h = CreateFileA(local.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            FILETIME ft{static_cast<DWORD>(*remoteTime), static_cast<DWORD>(*remoteTime >> 32)};
            SetFileTime(h, nullptr, nullptr, &ft);
            CloseHandle(h);
        }
    }
    return true;
}

bool FtpSession::PutFile(const std::string& local, const std::string& remote,
                         const std::atomic<bool>* cancel) {
    SessionLock lock(*this);
    const std::string where = absolute(remote);
    const bool ok = retried([&] { return client_.store(local, remote, cancel); });
    if (!ok && client_.leftPartial())
        strays_.push_back({host_, user_, port_, FtpClient::partialName(where), client_.lastTransferBytes()});
    return ok;
}

bool FtpSession::DeleteFile(const std::string& remote) {
    return retried([&] { return client_.deleteFile(remote); });
}

bool FtpSession::CreateDirectory(const std::string& remote) {
    SessionLock lock(*this);
    if (client_.connected() && client_.makeDirectory(remote)) return true;
    if (!Reconnect()) return false;
    if (auto e = Stat(remote)) return e->directory;
    return client_.makeDirectory(remote);
}

bool FtpSession::RemoveDirectory(const std::string& remote) {
    return retried([&] { return client_.removeDirectory(remote); });
}

bool FtpSession::Rename(const std::string& from, const std::string& to) {
    SessionLock lock(*this);
    if (Stat(to)) return false;
    return retried([&] { return client_.rename(from, to); });
}

bool FtpSession::CreateEmptyFile(const std::string& remote) {
    SessionLock lock(*this);
    if (Stat(remote)) return false;
    char path[MAX_PATH + 1] = {};
    char dir[MAX_PATH + 1] = {};
    if (!GetTempPathA(MAX_PATH, dir) || !GetTempFileNameA(dir, "vbe", 0, path)) return false;
    bool ok = PutFile(path, remote, nullptr);
    ::DeleteFileA(path);
    return ok;
}

bool FtpSession::IsDirectory(const std::string& remote) {
    SessionLock lock(*this);
    auto here = client_.currentDirectory();
    if (!here) {
        if (host_.empty() || !Reconnect()) return false;
        here = client_.currentDirectory();
        if (!here) return false;
    }
    if (!client_.changeDirectory(remote)) return false;
    client_.changeDirectory(*here);
    return true;
}

std::optional<ListedEntry> FtpSession::Stat(const std::string& remote) {
    SessionLock lock(*this);
    std::size_t slash = remote.rfind('/');
    std::string directory = slash == std::string::npos ? "" : remote.substr(0, slash);
    std::string name = slash == std::string::npos ? remote : remote.substr(slash + 1);
    auto here = client_.currentDirectory();
    if (!here) {
        if (!Reconnect()) return std::nullopt;
        here = client_.currentDirectory();
        if (!here) return std::nullopt;
    }
    std::optional<ListedEntry> found;
    if (directory.empty() && slash != std::string::npos) directory = "/";
    if (directory.empty() || client_.changeDirectory(directory)) {
        Listing l;
        if (client_.list(l)) {
            for (const ListedEntry& e : l.entries)
                if (e.name == name) found = e;
        }
        if (!directory.empty()) client_.changeDirectory(*here);
    }
    return found;
}

}  // namespace ftp
