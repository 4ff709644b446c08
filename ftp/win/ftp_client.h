#pragma once
// One FTP connection over Winsock: the control connection with its
// time-outs, passive or active data connections, listings and binary
// transfers. No call waits longer than its time-out, whatever the server
// does. Names and paths are code page 932; the client converts them for a
// server that speaks UTF-8.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "ftp/command_text.h"
#include "ftp/listing_parse.h"
#include "ftp/reply.h"
#include "ftp/win/win_name_codec.h"

namespace ftp {

struct Timeouts {
    DWORD connectMs = 15000;
    DWORD replyMs = 30000;
    DWORD dataIdleMs = 30000;
};

enum class Failure {
    None,
    Resolve,    // the host name is unknown
    Connect,    // no control connection
    Timeout,    // the server stopped answering
    Login,      // user or password refused
    Refused,    // the server answered the command with an error
    Protocol,   // what came back was no reply, or the connection broke
    Cancelled,  // the user asked to stop
    Local,      // a local file could not be read or written
};

// The four 32-bit fields posted with every status notification.
struct StatusRecord {
    uint32_t context;
    uint32_t status;
    uint32_t information;
    uint32_t length;
};

// Posted to the status window; lParam points to the client's record.
constexpr UINT StatusMessage = WM_USER + 1;

class SocketHandle {
public:
    SocketHandle() = default;
    explicit SocketHandle(SOCKET s) : s_(s) {}
    ~SocketHandle() { reset(); }
    SocketHandle(SocketHandle&& o) noexcept : s_(o.release()) {}
    SocketHandle& operator=(SocketHandle&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    SOCKET get() const { return s_; }
    explicit operator bool() const { return s_ != INVALID_SOCKET; }
    SOCKET release() {
        SOCKET s = s_;
        s_ = INVALID_SOCKET;
        return s;
    }
    void reset(SOCKET s = INVALID_SOCKET) {
        if (s_ != INVALID_SOCKET) closesocket(s_);
        s_ = s;
    }

private:
    SOCKET s_ = INVALID_SOCKET;
};

class FtpClient {
public:
    FtpClient();
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    void setTimeouts(const Timeouts& t) { timeouts_ = t; }
    // Status notifications go to this window (none: not sent).
    void setStatusWindow(HWND window) { statusWindow_ = window; }

    // Connects, logs in, switches to binary and learns the features.
    bool connect(const std::string& host, uint16_t port, const std::string& user,
                 const std::string& password, bool passive);
    // QUIT and close; quiet when not connected.
    void disconnect();
    bool connected() const { return static_cast<bool>(control_); }

    bool changeDirectory(const std::string& path);
    std::optional<std::string> currentDirectory();
    // The current directory's entries, converted, with unsafe names left out.
    bool list(Listing& out);
    // Into a temporary name beside local, renamed to local once complete;
    // a transfer cut short leaves nothing behind.
    bool retrieve(const std::string& remote, const std::string& local,
                  const std::atomic<bool>* cancel = nullptr);
    // Under a temporary remote name, renamed once the server confirmed it.
    bool store(const std::string& local, const std::string& remote,
               const std::atomic<bool>* cancel = nullptr);
    bool deleteFile(const std::string& remote);
    bool removeDirectory(const std::string& remote);
    bool makeDirectory(const std::string& remote);
    bool rename(const std::string& from, const std::string& to);
    std::optional<uint64_t> size(const std::string& remote);
    std::optional<uint64_t> modified(const std::string& remote);

    Failure failure() const { return failure_; }
    // What went wrong, for a message: the server's reply or our own words.
    // Never holds the password.
    const std::string& errorText() const { return errorText_; }
    const Features& features() const { return features_; }
    // Active mode could not make a data connection and passive took over.
    bool switchedToPassive() const { return switchedToPassive_; }
    uint64_t lastTransferBytes() const { return lastBytes_; }
    // The last store failed in a way that may have left its temporary name
    // on the server (the connection went before it could be removed).
    bool leftPartial() const { return leftPartial_; }
    // The temporary name a store writes before renaming it to remote.
    static std::string partialName(const std::string& remote);

private:
    bool fail(Failure f, const std::string& text);
    void status(uint32_t code);
    bool sendLine(const std::string& verb, const std::string& argument);
    bool readReply(Reply& reply);
    // Sends and reads the final reply (a preliminary 1xx is read past).
    bool command(const std::string& verb, const std::string& argument, Reply& reply);
    bool expect(const std::string& verb, const std::string& argument, int kind);
    std::string serverName(const std::string& sjis);

    // Opens the data connection for verb (RETR, STOR, MLSD, LIST), sends it
    // and waits for the preliminary reply; data holds the connected socket.
    bool openTransfer(const std::string& verb, const std::string& argument, SocketHandle& data);
    bool openPassive(SocketHandle& data);
    bool openActive(const std::string& verb, const std::string& argument, SocketHandle& data,
                    bool& tryPassive);
    bool finishTransfer();
    void abortTransfer(SocketHandle& data);
    bool readAll(SocketHandle& data, std::string& out);

    SocketHandle control_;
    ReplyReader reader_;
    Timeouts timeouts_;
    Features features_;
    WinNameCodec codec_;
    sockaddr_storage peer_{};
    int peerLength_ = 0;
    bool passive_ = false;
    bool switchedToPassive_ = false;
    Failure failure_ = Failure::None;
    std::string errorText_;
    HWND statusWindow_ = nullptr;
    StatusRecord record_{};
    uint64_t lastBytes_ = 0;
    bool leftPartial_ = false;
};

}  // namespace ftp
