#pragma once
// One FTP connection shared between the window thread and job threads: a
// re-entrant lock by thread, the stored login values, and the rule that
// every remote call that fails is tried once more after a reconnection.
#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ftp/win/ftp_client.h"

namespace ftp {

class FtpSession {
public:
    explicit FtpSession(std::string name);
    ~FtpSession();
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    // Waits in 100 ms steps while another thread holds it.
    void Lock();
    void Unlock();

    // False when already connected with the same values and !force, or when
    // the connection failed (ErrorText says why).
    bool Connect(const std::string& host, const std::string& user, const std::string& password,
                 bool passive, uint16_t port, bool force);
    bool Reconnect();
    void SetParameters(const std::string& host, const std::string& user, const std::string& password,
                       bool passive, uint16_t port);
    void Disconnect();
    void SetStatusWindow(HWND window);
    void ClearStatusWindow() { SetStatusWindow(nullptr); }

    bool List(Listing& entries);
    // A change that fails twice goes to the parent instead and writes it
    // back to path; false when even that fails.
    bool ChangeDirectory(std::string& path);
    std::optional<std::string> GetCurrentDirectory();
    bool GetFile(const std::string& remote, const std::string& local, const std::atomic<bool>* cancel);
    bool PutFile(const std::string& local, const std::string& remote, const std::atomic<bool>* cancel);
    bool DeleteFile(const std::string& remote);
    bool CreateDirectory(const std::string& remote);
    bool RemoveDirectory(const std::string& remote);
    bool Rename(const std::string& from, const std::string& to);
    // Only when nothing of that name exists.
    bool CreateEmptyFile(const std::string& remote);
    // Whether the server lets us enter remote; the current directory stays.
    bool IsDirectory(const std::string& remote);
    // The entry of one name in the current listing of its directory.
    std::optional<ListedEntry> Stat(const std::string& remote);

    bool IsConnected() const { return client_.connected(); }
    const std::string& GetHost() const { return host_; }
    const std::string& GetUser() const { return user_; }
    uint16_t GetPort() const { return port_; }
    bool GetPassive() const { return passive_; }
    const std::string& Name() const { return name_; }
    Failure LastFailure() const { return client_.failure(); }
    const std::string& ErrorText() const { return client_.errorText(); }
    void SetTimeouts(const Timeouts& t) { client_.setTimeouts(t); }

private:
    template <class Call>
    bool retried(Call call);
    // Temporary names of uploads the connection dropped, removed on the
    // next connection to that server while they are still ours: no larger
    // than what we had sent (a complete file never has that name).
    struct StrayPart {
        std::string host, user;
        uint16_t port;
        std::string path;
        uint64_t sent;
    };
    void removeStrayParts();
    std::string absolute(const std::string& remote) const;
    std::vector<StrayPart> strays_;

    std::string name_;
    std::atomic<DWORD> lockOwner_{0};
    long lockCount_ = 0;
    FtpClient client_;
    std::string host_, user_, password_;
    bool passive_ = false;
    uint16_t port_ = 21;
    std::string directory_;  // where the connection stood, for a reconnection
};

// Holds the session's lock for a scope.
class SessionLock {
public:
    explicit SessionLock(FtpSession& s) : s_(s) { s_.Lock(); }
    ~SessionLock() { s_.Unlock(); }
    SessionLock(const SessionLock&) = delete;
    SessionLock& operator=(const SessionLock&) = delete;

private:
    FtpSession& s_;
};

}  // namespace ftp
