#include "testing/win/ftp_server_process.h"

#include <winsock2.h>

#include <fstream>
#include <sstream>

#ifndef VORBIN_FTP_TEST_SERVER
#define VORBIN_FTP_TEST_SERVER ""
#endif

namespace {

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

FtpServerProcess::FtpServerProcess(const std::string& root, const std::string& control,
                                   const std::string& user, const std::string& password,
                                   const std::vector<std::string>& options)
    : control_(control) {
    // Wine hands the words to the Linux program as they are: no blanks in them.
    std::string line = "python3 " + std::string(VORBIN_FTP_TEST_SERVER) + " " + unixPathOf(control) + " " +
                       unixPathOf(root) + " " + user + " " + password;
    for (const std::string& o : options) line += " " + (o.find('\\') != std::string::npos || o.find(':') == 1
                                                             ? unixPathOf(o)
                                                             : o);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA("Z:\\usr\\bin\\python3", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi))
        return;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // The handle of a Linux process does not tell when it ends; the port file does.
    const std::string portFile = control + "\\port";
    for (int i = 0; i < 300 && !exists(portFile); ++i) Sleep(50);
    std::ifstream in(portFile);
    int port = 0;
    in >> port;
    port_ = static_cast<uint16_t>(port > 0 && port < 65536 ? port : 0);
}

FtpServerProcess::~FtpServerProcess() {
    request("stop");
    for (int i = 0; i < 100 && started() && accepting(); ++i) Sleep(50);
}

void FtpServerProcess::kill() {
    request("kill");
    for (int i = 0; i < 100 && started() && accepting(); ++i) Sleep(50);
}

void FtpServerProcess::request(const char* name) const {
    std::ofstream(control_ + "\\" + name) << "1";
}

bool FtpServerProcess::accepting() const {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port_);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    closesocket(s);
    WSACleanup();
    return ok;
}
