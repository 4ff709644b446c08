#pragma once
// File operations on FTP paths: downloads, uploads, server to server through
// the local work directory, recursive delete, rename, make directory and
// create file, each long one as a job behind the FTP progress window.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "fileops/win/command.h"
#include "fileops/win/local_command.h"
#include "ftp/win/ftp_session.h"
#include "services/settings.h"

class EditWatchList;

class CFtpCommand : public CCommand {
public:
    // Names without a directory (a copy to an FTP path hands them over as
    // the pane shows them) lie in paneDirectory.
    // Members of an archive go up through a work directory that hooks.extractInto fills.
    CFtpCommand(HWND owner, ftp::FtpSession& session, Settings& settings, std::string paneDirectory,
                EditWatchList* watches = nullptr, LocalCommandHooks hooks = {})
        : CCommand(owner), session(session), settings_(settings), paneDirectory_(std::move(paneDirectory)),
          watches_(watches), hooks_(std::move(hooks)) {}

    bool Copy(const std::vector<std::string>& sources, const std::string& destination) override;
    bool Move(const std::vector<std::string>& sources, const std::string& destination) override;
    bool Delete(const std::vector<std::string>& sources, bool toRecycleBin) override;
    bool Rename(const std::string& oldPath, const std::string& newPath) override;
    bool MakeDirectory(const std::string& path) override;
    bool CreateEmptyFile(const std::string& path) override;
    bool Execute(const std::string& file, const std::string& parameters) override;
    bool Open(const std::string& file, const std::string& parameters, int waitMode) override;
    const char* GetCommandName() const override { return "CFtpCommand"; }

    ftp::FtpSession& session;

private:
    bool transfer(const std::vector<std::string>& sources, const std::string& destination, bool move);
    bool openRemote(const std::string& program, const std::string& remote);
    // A fresh "vorbin_AFtp_work\<tick>" in the FTP work directory; "" when none can be made.
    std::string archiveUploadDirectory();
    Settings& settings_;
    std::string paneDirectory_;
    EditWatchList* watches_;
    LocalCommandHooks hooks_;
};

// The session for an FTP path: the browsing session when it is connected
// to that host, else a new one logged in with the stored account (none when
// there is no account or the login fails).
class SessionChoice {
public:
    SessionChoice(ftp::FtpSession& browsing, Profile& profile, const std::string& ftpPath);
    ftp::FtpSession* get() const { return chosen_; }

private:
    std::unique_ptr<ftp::FtpSession> own_;
    ftp::FtpSession* chosen_ = nullptr;
};
