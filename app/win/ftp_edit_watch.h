#pragma once
// A remote file opened through its local copy: the program that shows it
// is waited for, and a changed copy is put back to the server.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "fileops/win/worker_thread.h"
#include "ftp/win/ftp_session.h"
#include "services/profile.h"

class EditWatchJob final : public WorkerThread {
public:
    // program empty: the copy opens with the program its type is tied to.
    EditWatchJob(ftp::FtpSession& browsing, Profile& profile, std::string program, std::string remotePath,
                 std::string localPath, HWND owner)
        : browsing_(browsing), profile_(profile), program_(std::move(program)),
          remotePath_(std::move(remotePath)), localPath_(std::move(localPath)), owner_(owner) {}
    ~EditWatchJob() override { Stop(500, true); }

    const std::string& program() const { return program_; }
    const std::string& remotePath() const { return remotePath_; }
    const std::string& localPath() const { return localPath_; }

protected:
    bool Step() override;

private:
    bool ReadLocalState(FILETIME& written) const;
    bool OpenAndWait();
    void PutBack();

    ftp::FtpSession& browsing_;
    Profile& profile_;
    std::string program_, remotePath_, localPath_;
    HWND owner_;
    FILETIME opened_{};
};

// The running watch jobs of a window.
class EditWatchList {
public:
    ~EditWatchList() { stopAll(); }
    bool has(const std::string& program, const std::string& local, const std::string& remote) const;
    bool add(std::unique_ptr<EditWatchJob> job);
    // The job reported its end: its copy becomes read-only again and it goes.
    void ended(EditWatchJob* job);
    bool empty() const { return jobs_.empty(); }
    void stopAll();

private:
    std::vector<std::unique_ptr<EditWatchJob>> jobs_;
};
