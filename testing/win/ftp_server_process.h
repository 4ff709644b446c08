#pragma once
// The test FTP server (a Linux program run from the Windows side): started on
// a free port of 127.0.0.1 with its own root and account, and always stopped.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "testing/win/host_shell.h"

class FtpServerProcess {
public:
    // root and control are Windows directories; control receives the port
    // and the stop and kill requests. options are the script's own.
    FtpServerProcess(const std::string& root, const std::string& control, const std::string& user,
                     const std::string& password, const std::vector<std::string>& options = {});
    // Asks the server to stop and waits until its port refuses connections.
    ~FtpServerProcess();
    FtpServerProcess(const FtpServerProcess&) = delete;
    FtpServerProcess& operator=(const FtpServerProcess&) = delete;

    bool started() const { return port_ != 0; }
    uint16_t port() const { return port_; }
    // Ends the server at once, as a crash would.
    void kill();

private:
    void request(const char* name) const;
    bool accepting() const;
    std::string control_;
    uint16_t port_ = 0;
};
