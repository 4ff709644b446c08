#include "ftp/win/ftp_client.h"

#include <ws2tcpip.h>

#include <cstring>

#include <vector>

#include "ftp/server_names.h"

namespace ftp {

namespace {

// Status codes as the progress window names them.
enum : uint32_t {
    Resolving = 10,
    Resolved = 11,
    Connecting = 20,
    Connected = 21,
    Sending = 30,
    Sent = 31,
    Receiving = 40,
    Received = 41,
    Closing = 50,
    Closed = 51,
};

constexpr std::size_t TransferBuffer = 1024 * 1024;
constexpr DWORD CancelPollMs = 200;
constexpr DWORD AbortReplyMs = 5000;
const char TempSuffix[] = ".vbpart";

struct WinsockStart {
    WinsockStart() {
        WSADATA data;
        ok = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockStart() {
        if (ok) WSACleanup();
    }
    bool ok = false;
};

void startWinsock() { static WinsockStart start; }

// Waits until the socket can be read (or written); false on time-out or error.
bool waitFor(SOCKET s, bool write, DWORD ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{static_cast<long>(ms / 1000), static_cast<long>(ms % 1000) * 1000};
    int r = write ? select(0, nullptr, &set, nullptr, &tv) : select(0, &set, nullptr, nullptr, &tv);
    return r == 1;
}

bool setBlocking(SOCKET s, bool blocking) {
    u_long nonBlocking = blocking ? 0 : 1;
    return ioctlsocket(s, FIONBIO, &nonBlocking) == 0;
}

SocketHandle connectTo(const sockaddr* address, int length, DWORD timeoutMs) {
    SocketHandle s(socket(address->sa_family, SOCK_STREAM, IPPROTO_TCP));
    if (!s || !setBlocking(s.get(), false)) return {};
    if (::connect(s.get(), address, length) != 0 && WSAGetLastError() != WSAEWOULDBLOCK) return {};
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s.get(), &writable);
    FD_SET(s.get(), &failed);
    timeval tv{static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000) * 1000};
    if (select(0, nullptr, &writable, &failed, &tv) != 1 || !FD_ISSET(s.get(), &writable)) return {};
    int error = 0;
    int size = sizeof error;
    if (getsockopt(s.get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0 || error)
        return {};
    if (!setBlocking(s.get(), true)) return {};
    BOOL on = TRUE;
    setsockopt(s.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    return s;
}

// A data socket: large buffers, and it never blocks (see receive).
void widenBuffers(SOCKET s) {
    setBlocking(s, false);
    int size = 4 << 20;
    setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
    setsockopt(s, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&size), sizeof size);
}

bool sendAll(SOCKET s, const char* data, std::size_t size, DWORD timeoutMs) {
    while (size > 0) {
        int n = ::send(s, data, static_cast<int>(size < (1u << 30) ? size : (1u << 30)), 0);
        if (n < 0 && WSAGetLastError() == WSAEWOULDBLOCK) {
            if (!waitFor(s, true, timeoutMs)) return false;
            continue;
        }
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Reads from a data connection, watching for the idle time-out and the
// cancel flag in short slices. 0 at the end of the data, -1 on error or
// time-out, -2 on cancel. Data sockets do not block: while data flows no
// wait is made at all, which under Wine saves a server round trip a chunk.
int receive(SOCKET s, char* buffer, int size, DWORD idleMs, const std::atomic<bool>* cancel) {
    DWORD waited = 0;
    for (;;) {
        if (cancel && cancel->load()) return -2;
        int n = recv(s, buffer, size, 0);
        if (n >= 0) return n;
        if (WSAGetLastError() != WSAEWOULDBLOCK) return -1;
        if (!waitFor(s, false, CancelPollMs)) {
            waited += CancelPollMs;
            if (waited >= idleMs) return -1;
        }
    }
}

class LocalFile {
public:
    explicit LocalFile(HANDLE h) : h_(h) {}
    ~LocalFile() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    LocalFile(const LocalFile&) = delete;
    LocalFile& operator=(const LocalFile&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    void close() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE h_;
};

}  // namespace

FtpClient::FtpClient() { startWinsock(); }

FtpClient::~FtpClient() { disconnect(); }

bool FtpClient::fail(Failure f, const std::string& text) {
    failure_ = f;
    errorText_ = text;
    // After a time-out or a broken reply the conversation's state is unknown.
    if (f == Failure::Timeout || f == Failure::Protocol || f == Failure::Connect) {
        control_.reset();
        reader_ = ReplyReader();
    }
    return false;
}

void FtpClient::status(uint32_t code) {
    if (!statusWindow_) return;
    record_ = StatusRecord{1, code, 0, 0};
    PostMessageA(statusWindow_, StatusMessage, 0, reinterpret_cast<LPARAM>(&record_));
}

bool FtpClient::sendLine(const std::string& verb, const std::string& argument) {
    if (!control_) return fail(Failure::Protocol, "not connected");
    auto line = commandLine(verb, argument);
    if (!line) return fail(Failure::Refused, "the name cannot be sent: " + verb);
    status(Sending);
    if (!sendAll(control_.get(), line->data(), line->size(), timeouts_.replyMs))
        return fail(Failure::Protocol, "the connection broke while sending " + verb);
    status(Sent);
    return true;
}

bool FtpClient::readReply(Reply& reply) {
    if (!control_) return fail(Failure::Protocol, "not connected");
    status(Receiving);
    ULONGLONG deadline = GetTickCount64() + timeouts_.replyMs;
    for (;;) {
        ReplyReader::Status s = reader_.next(reply);
        if (s == ReplyReader::Complete) {
            status(Received);
            return true;
        }
        if (s == ReplyReader::Malformed) return fail(Failure::Protocol, "the server sent no FTP reply");
        if (s == ReplyReader::TooLong) return fail(Failure::Protocol, "the server's reply is too long");
        ULONGLONG now = GetTickCount64();
        if (now >= deadline || !waitFor(control_.get(), false, static_cast<DWORD>(deadline - now)))
            return fail(Failure::Timeout, "the server did not answer in time");
        char buffer[4096];
        int n = recv(control_.get(), buffer, sizeof buffer, 0);
        if (n <= 0) return fail(Failure::Protocol, "the server closed the connection");
        reader_.feed(std::string_view(buffer, static_cast<std::size_t>(n)));
    }
}

bool FtpClient::command(const std::string& verb, const std::string& argument, Reply& reply) {
    if (!sendLine(verb, argument)) return false;
    do {
        if (!readReply(reply)) return false;
    } while (reply.kind() == 1);
    return true;
}

bool FtpClient::expect(const std::string& verb, const std::string& argument, int kind) {
    Reply reply;
    if (!command(verb, argument, reply)) return false;
    if (reply.kind() != kind) return fail(Failure::Refused, reply.lines.back());
    return true;
}

std::string FtpClient::serverName(const std::string& sjisName) {
    return nameToServer(sjisName, features_.utf8, codec_);
}

bool FtpClient::connect(const std::string& host, uint16_t port, const std::string& user,
                        const std::string& password, bool passive) {
    disconnect();
    failure_ = Failure::None;
    errorText_.clear();
    switchedToPassive_ = false;
    features_ = Features{};
    passive_ = passive;

    status(Resolving);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found)
        return fail(Failure::Resolve, "unknown host " + host);
    status(Resolved);
    status(Connecting);
    for (addrinfo* a = found; a && !control_; a = a->ai_next) {
        control_ = connectTo(a->ai_addr, static_cast<int>(a->ai_addrlen), timeouts_.connectMs);
        if (control_) {
            std::memcpy(&peer_, a->ai_addr, a->ai_addrlen);
            peerLength_ = static_cast<int>(a->ai_addrlen);
        }
    }
    freeaddrinfo(found);
    if (!control_) return fail(Failure::Connect, "cannot connect to " + host);
    status(Connected);

    Reply reply;
    do {
        if (!readReply(reply)) return false;
    } while (reply.kind() == 1);
    if (reply.code != 220) {
        std::string text = reply.lines.back();
        disconnect();
        return fail(Failure::Connect, text);
    }
    if (!command("USER", user, reply)) return false;
    if (reply.code == 331 || reply.code == 332) {
        if (!command("PASS", password, reply)) return false;
    }
    if (reply.kind() != 2) {
        std::string text = reply.lines.back();
        disconnect();
        return fail(Failure::Login, text);
    }
    if (!expect("TYPE", "I", 2)) return false;
    if (command("FEAT", "", reply)) features_ = parseFeatures(reply);
    if (!control_) return false;
    if (features_.utf8) {
        // Servers that announce UTF-8 may still want to be asked.
        if (!command("OPTS", "UTF8 ON", reply)) return false;
    }
    return true;
}

void FtpClient::disconnect() {
    if (!control_) return;
    status(Closing);
    auto line = commandLine("QUIT");
    sendAll(control_.get(), line->data(), line->size(), 1000);
    // The farewell is polite, not needed: wait only briefly.
    if (waitFor(control_.get(), false, 1000)) {
        char buffer[512];
        recv(control_.get(), buffer, sizeof buffer, 0);
    }
    control_.reset();
    reader_ = ReplyReader();
    status(Closed);
}

bool FtpClient::changeDirectory(const std::string& path) {
    std::string name = serverName(path);
    if (name.empty() && !path.empty()) return fail(Failure::Refused, "the path cannot be sent");
    return expect("CWD", name, 2);
}

std::optional<std::string> FtpClient::currentDirectory() {
    Reply reply;
    if (!command("PWD", "", reply)) return std::nullopt;
    auto path = parsePwd(reply);
    if (!path) {
        fail(Failure::Refused, reply.lines.back());
        return std::nullopt;
    }
    return nameFromServer(*path, features_.utf8, codec_);
}

bool FtpClient::openPassive(SocketHandle& data) {
    Reply reply;
    uint16_t port = 0;
    if (peer_.ss_family == AF_INET6 || features_.epsv) {
        if (!command("EPSV", "", reply)) return false;
        if (auto p = parseEpsv(reply)) port = *p;
    }
    if (port == 0 && peer_.ss_family == AF_INET) {
        if (!command("PASV", "", reply)) return false;
        // The address in the reply is ignored: data goes to the host we
        // already talk to, never to a third one the server names.
        if (auto hp = parsePasv(reply)) port = hp->port;
    }
    if (port == 0) return fail(Failure::Refused, reply.lines.empty() ? "no passive mode" : reply.lines.back());
    sockaddr_storage address = peer_;
    if (address.ss_family == AF_INET) reinterpret_cast<sockaddr_in&>(address).sin_port = htons(port);
    else reinterpret_cast<sockaddr_in6&>(address).sin6_port = htons(port);
    data = connectTo(reinterpret_cast<sockaddr*>(&address), peerLength_, timeouts_.connectMs);
    if (!data) return fail(Failure::Refused, "cannot open the passive data connection");
    widenBuffers(data.get());
    return true;
}

bool FtpClient::openActive(const std::string& verb, const std::string& argument, SocketHandle& data,
                           bool& tryPassive) {
    tryPassive = false;
    sockaddr_storage local{};
    int length = sizeof local;
    if (getsockname(control_.get(), reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        tryPassive = true;
        return fail(Failure::Refused, "no local address for an active data connection");
    }
    if (local.ss_family == AF_INET) reinterpret_cast<sockaddr_in&>(local).sin_port = 0;
    else reinterpret_cast<sockaddr_in6&>(local).sin6_port = 0;
    SocketHandle listener(socket(local.ss_family, SOCK_STREAM, IPPROTO_TCP));
    if (!listener || bind(listener.get(), reinterpret_cast<sockaddr*>(&local), length) != 0 ||
        listen(listener.get(), 1) != 0 ||
        getsockname(listener.get(), reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        tryPassive = true;
        return fail(Failure::Refused, "cannot listen for an active data connection");
    }
    char text[INET6_ADDRSTRLEN] = {};
    uint16_t port;
    if (local.ss_family == AF_INET) {
        auto& v4 = reinterpret_cast<sockaddr_in&>(local);
        inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        port = ntohs(v4.sin_port);
    } else {
        auto& v6 = reinterpret_cast<sockaddr_in6&>(local);
        inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        port = ntohs(v6.sin6_port);
    }
    Reply reply;
    auto portText = portArgument(text, port);
    bool told = false;
    if (portText) {
        if (!command("PORT", *portText, reply)) return false;
        told = reply.kind() == 2;
    }
    if (!told) {
        if (!command("EPRT", eprtArgument(text, port), reply)) return false;
        told = reply.kind() == 2;
    }
    if (!told) {
        tryPassive = true;
        return fail(Failure::Refused, reply.lines.back());
    }
    if (!sendLine(verb, argument) || !readReply(reply)) return false;
    if (reply.kind() != 1) {
        tryPassive = reply.code == 425;
        return fail(Failure::Refused, reply.lines.back());
    }
    if (!waitFor(listener.get(), false, timeouts_.connectMs)) {
        // The server could not reach us: take back the command.
        abortTransfer(data);
        tryPassive = static_cast<bool>(control_);
        return fail(Failure::Refused, "the server could not open the active data connection");
    }
    data.reset(accept(listener.get(), nullptr, nullptr));
    if (!data) {
        abortTransfer(data);
        tryPassive = static_cast<bool>(control_);
        return fail(Failure::Refused, "the active data connection failed");
    }
    widenBuffers(data.get());
    return true;
}

bool FtpClient::openTransfer(const std::string& verb, const std::string& argument, SocketHandle& data) {
    if (!control_) return fail(Failure::Protocol, "not connected");
    if (!passive_) {
        bool tryPassive = false;
        if (openActive(verb, argument, data, tryPassive)) return true;
        if (!tryPassive || !control_) return false;
        // Most routers let no active data connection through; passive
        // once more before giving up, and from now on.
        passive_ = true;
        switchedToPassive_ = true;
    }
    if (!openPassive(data)) return false;
    Reply reply;
    if (!sendLine(verb, argument) || !readReply(reply)) return false;
    if (reply.kind() != 1) {
        data.reset();
        return fail(Failure::Refused, reply.lines.back());
    }
    return true;
}

bool FtpClient::finishTransfer() {
    Reply reply;
    if (!readReply(reply)) return false;
    if (reply.kind() != 2) return fail(Failure::Refused, reply.lines.back());
    return true;
}

void FtpClient::abortTransfer(SocketHandle& data) {
    data.reset();
    if (!control_) return;
    auto line = commandLine("ABOR");
    if (!sendAll(control_.get(), line->data(), line->size(), AbortReplyMs)) {
        control_.reset();
        return;
    }
    // "426 aborted" and then "226", or only one of them; anything else
    // leaves the conversation in doubt and the connection is dropped.
    DWORD saved = timeouts_.replyMs;
    timeouts_.replyMs = AbortReplyMs;
    Failure keep = failure_;
    std::string keepText = errorText_;
    for (int i = 0; i < 3 && control_; ++i) {
        Reply reply;
        if (!readReply(reply)) break;
        if (reply.kind() == 2) break;
        if (reply.kind() != 1 && reply.kind() != 4 && reply.kind() != 5) {
            control_.reset();
            break;
        }
    }
    timeouts_.replyMs = saved;
    failure_ = keep;
    errorText_ = keepText;
}

bool FtpClient::readAll(SocketHandle& data, std::string& out) {
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        int n = receive(data.get(), buffer.data(), static_cast<int>(buffer.size()), timeouts_.dataIdleMs,
                        nullptr);
        if (n == 0) return true;
        if (n < 0) {
            abortTransfer(data);
            return fail(Failure::Timeout, "the listing stopped arriving");
        }
        out.append(buffer.data(), static_cast<std::size_t>(n));
    }
}

bool FtpClient::list(Listing& out) {
    bool mlsd = features_.mlsd;
    SocketHandle data;
    if (!openTransfer(mlsd ? "MLSD" : "LIST", "", data)) return false;
    std::string text;
    if (!readAll(data, text)) return false;
    data.reset();
    if (!finishTransfer()) return false;
    SYSTEMTIME now;
    GetSystemTime(&now);
    out = parseListing(text, mlsd, CalendarTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                                                 now.wSecond});
    acceptListedNames(out, features_.utf8, codec_);
    return true;
}

bool FtpClient::retrieve(const std::string& remote, const std::string& local,
                         const std::atomic<bool>* cancel) {
    lastBytes_ = 0;
    std::string name = serverName(remote);
    if (name.empty()) return fail(Failure::Refused, "the name cannot be sent");
    std::optional<uint64_t> expected;
    if (features_.size) {
        expected = size(remote);
        if (!control_) return false;
    }
    const std::string temp = local + TempSuffix;
    LocalFile file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return fail(Failure::Local, "cannot write " + local);
    auto discard = [&] {
        file.close();
        DeleteFileA(temp.c_str());
        return false;
    };
    SocketHandle data;
    if (!openTransfer("RETR", name, data)) return discard();
    std::vector<char> buffer(TransferBuffer);
    for (;;) {
        int n = receive(data.get(), buffer.data(), static_cast<int>(buffer.size()), timeouts_.dataIdleMs,
                        cancel);
        if (n == 0) break;
        if (n == -2) {
            abortTransfer(data);
            fail(Failure::Cancelled, "cancelled");
            return discard();
        }
        if (n < 0) {
            abortTransfer(data);
            fail(Failure::Timeout, "the download stopped");
            return discard();
        }
        DWORD written = 0;
        if (!WriteFile(file.get(), buffer.data(), static_cast<DWORD>(n), &written, nullptr) ||
            written != static_cast<DWORD>(n)) {
            abortTransfer(data);
            fail(Failure::Local, "cannot write " + local);
            return discard();
        }
        lastBytes_ += static_cast<uint64_t>(n);
    }
    data.reset();
    if (!finishTransfer()) return discard();
    if (expected && *expected != lastBytes_) {
        fail(Failure::Protocol, "the download ended short");
        return discard();
    }
    file.close();
    if (!MoveFileExA(temp.c_str(), local.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temp.c_str());
        return fail(Failure::Local, "cannot write " + local);
    }
    return true;
}

std::string FtpClient::partialName(const std::string& remote) { return remote + TempSuffix; }

bool FtpClient::store(const std::string& local, const std::string& remote,
                      const std::atomic<bool>* cancel) {
    lastBytes_ = 0;
    leftPartial_ = false;
    std::string name = serverName(remote);
    std::string temp = serverName(partialName(remote));
    if (name.empty() || temp.empty()) return fail(Failure::Refused, "the name cannot be sent");
    LocalFile file(CreateFileA(local.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return fail(Failure::Local, "cannot read " + local);
    SocketHandle data;
    // A refused STOR made nothing; a connection lost around it may have.
    if (!openTransfer("STOR", temp, data)) {
        leftPartial_ = !control_;
        return false;
    }
    leftPartial_ = true;
    auto dropTemp = [&] {
        if (control_) {
            Reply reply;
            Failure keep = failure_;
            std::string text = errorText_;
            if (command("DELE", temp, reply) && reply.kind() == 2) leftPartial_ = false;
            failure_ = keep;
            errorText_ = text;
        }
        return false;
    };
    std::vector<char> buffer(TransferBuffer);
    for (;;) {
        if (cancel && cancel->load()) {
            abortTransfer(data);
            fail(Failure::Cancelled, "cancelled");
            return dropTemp();
        }
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            abortTransfer(data);
            fail(Failure::Local, "cannot read " + local);
            return dropTemp();
        }
        if (got == 0) break;
        if (!sendAll(data.get(), buffer.data(), got, timeouts_.dataIdleMs)) {
            abortTransfer(data);
            fail(Failure::Protocol, "the upload was cut off");
            return dropTemp();
        }
        lastBytes_ += got;
    }
    shutdown(data.get(), SD_SEND);
    // Let the server read to the end before the socket goes.
    char drain[256];
    if (waitFor(data.get(), false, timeouts_.dataIdleMs)) recv(data.get(), drain, sizeof drain, 0);
    data.reset();
    if (!finishTransfer()) return dropTemp();
    Reply reply;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!command("RNFR", temp, reply)) return false;
        if (reply.code == 350) {
            if (!command("RNTO", name, reply)) return false;
            if (reply.kind() == 2) {
                leftPartial_ = false;
                return true;
            }
        }
        // Some servers will not rename onto an existing file.
        if (attempt == 0 && !command("DELE", name, reply)) return false;
    }
    fail(Failure::Refused, reply.lines.back());
    return dropTemp();
}

bool FtpClient::deleteFile(const std::string& remote) {
    std::string name = serverName(remote);
    if (name.empty()) return fail(Failure::Refused, "the name cannot be sent");
    return expect("DELE", name, 2);
}

bool FtpClient::removeDirectory(const std::string& remote) {
    std::string name = serverName(remote);
    if (name.empty()) return fail(Failure::Refused, "the name cannot be sent");
    return expect("RMD", name, 2);
}

bool FtpClient::makeDirectory(const std::string& remote) {
    std::string name = serverName(remote);
    if (name.empty()) return fail(Failure::Refused, "the name cannot be sent");
    return expect("MKD", name, 2);
}

bool FtpClient::rename(const std::string& from, const std::string& to) {
    std::string a = serverName(from), b = serverName(to);
    if (a.empty() || b.empty()) return fail(Failure::Refused, "the name cannot be sent");
    Reply reply;
    if (!command("RNFR", a, reply)) return false;
    if (reply.code != 350) return fail(Failure::Refused, reply.lines.back());
    return expect("RNTO", b, 2);
}

std::optional<uint64_t> FtpClient::size(const std::string& remote) {
    std::string name = serverName(remote);
    Reply reply;
    if (name.empty() || !command("SIZE", name, reply)) return std::nullopt;
    return parseSize(reply);
}

std::optional<uint64_t> FtpClient::modified(const std::string& remote) {
    std::string name = serverName(remote);
    Reply reply;
    if (name.empty() || !command("MDTM", name, reply)) return std::nullopt;
    return parseMdtm(reply);
}

}  // namespace ftp
