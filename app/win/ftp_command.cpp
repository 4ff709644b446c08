#include "app/win/ftp_command.h"

#include "app/win/ftp_edit_watch.h"

#include <shellapi.h>

#include <functional>

#include "base/path.h"
#include "base/sjis.h"
#include "fileops/win/ftp_job.h"
#include "ftp/account.h"
#include "ftp/ftp_path.h"
#include "services/message_numbers.h"
#include "services/win/message_box.h"
#include "services/win/work_cleanup.h"

namespace {

// What FtpJob asks of a session, for ours.
class StatusRoute final : public FtpStatusRoute {
public:
    explicit StatusRoute(ftp::FtpSession& s) : s_(s) {}
    void SetStatusWindow(HWND window) override { s_.SetStatusWindow(window); }

private:
    ftp::FtpSession& s_;
};

class BodyJob final : public FtpJob {
public:
    BodyJob(FtpStatusRoute& route, HWND owner, std::function<bool(FtpProgressDialog&)> body)
        : FtpJob(route, owner), body_(std::move(body)) {}
    ~BodyJob() override { Stop(INFINITE, true); }

protected:
    bool Run() override { return body_(progress_); }

private:
    std::function<bool(FtpProgressDialog&)> body_;
};

bool runJob(ftp::FtpSession& session, HWND owner, std::function<bool(FtpProgressDialog&)> body) {
    StatusRoute route(session);
    BodyJob job(route, owner, std::move(body));
    return job.Execute();
}

std::string remotePart(const std::string& path) {
    auto p = ftp::parseFtpPath(path);
    return p ? (p->path.empty() ? "/" : p->path) : std::string();
}

std::string itemName(std::string path) {
    while (!path.empty() && (path.back() == '/' || (path.back() == '\\' &&
                                                     sjis::findLastChar(path, '\\') == path.size() - 1)))
        path.pop_back();
    return lastComponent(path);
}

bool localDirectory(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool makeLocalDirectories(const std::string& path) {
    if (localDirectory(path)) return true;
    std::size_t cut = sjis::findLastChar(path, '\\');
    if (cut != std::string::npos && cut > 2) makeLocalDirectories(path.substr(0, cut));
    return CreateDirectoryA(path.c_str(), nullptr) || localDirectory(path);
}

bool remoteDirectory(ftp::FtpSession& s, const std::string& remote) { return s.IsDirectory(remote); }

// The full remote paths of what a remote directory holds; false when it
// cannot be entered or listed.
bool remoteChildren(ftp::FtpSession& s, const std::string& remote, std::vector<std::string>& children) {
    std::string dir = remote;
    ftp::Listing l;
    if (!s.ChangeDirectory(dir) || dir != remote || !s.List(l)) return false;
    for (const auto& e : l.entries) children.push_back(remote + "/" + e.name);
    return true;
}

// A work directory that goes with all it holds when the operation ends.
struct RemovedAfterwards {
    std::string path;
    ~RemovedAfterwards() {
        if (!path.empty()) removeWorkDirectory(path);
    }
};

struct Transfer {
    ftp::FtpSession& s;
    FtpProgressDialog& progress;
    HWND window;
    bool move;

    bool cancelled() const { return progress.IsCancelRequested(); }

    bool download(const std::vector<std::string>& remotes, const std::string& destination) {
        bool all = true;
        const bool intoDirectory = localDirectory(destination);
        for (const std::string& remote : remotes) {
            if (cancelled()) return false;
            const std::string name = itemName(remote);
            if (name == "." || name == ".." || name.empty()) continue;
            postFtpItemText(window, name);
            const std::string target = intoDirectory ? joinPath(destination, name) : destination;
            if (remoteDirectory(s, remote)) {
                if (!makeLocalDirectories(target)) {
                    all = false;
                    continue;
                }
                std::vector<std::string> children;
                if (!remoteChildren(s, remote, children)) {
                    all = false;
                    continue;
                }
                bool ok = download(children, target);
                all = all && ok;
                if (ok && move) all = s.RemoveDirectory(remote) && all;
            } else {
                bool ok = s.GetFile(remote, target, progressCancel());
                if (ok && move) ok = s.DeleteFile(remote);
                all = all && ok;
            }
        }
        return all;
    }

    bool upload(const std::vector<std::string>& locals, const std::string& remoteDestination,
                bool destinationIsDirectory) {
        bool all = true;
        for (const std::string& local : locals) {
            if (cancelled()) return false;
            const std::string name = itemName(local);
            if (name == "." || name == ".." || name.empty()) continue;
            postFtpItemText(window, name);
            const std::string target = destinationIsDirectory
                                           ? (remoteDestination == "/" ? "/" + name : remoteDestination + "/" + name)
                                           : remoteDestination;
            if (localDirectory(local)) {
                if (!s.CreateDirectory(target)) {
                    all = false;
                    continue;
                }
                std::vector<std::string> children;
                WIN32_FIND_DATAA found;
                HANDLE h = FindFirstFileA(joinPath(local, "*.*").c_str(), &found);
                if (h != INVALID_HANDLE_VALUE) {
                    do {
                        std::string child = found.cFileName;
                        if (child != "." && child != "..") children.push_back(joinPath(local, child));
                    } while (FindNextFileA(h, &found));
                    FindClose(h);
                }
                bool ok = upload(children, target, true);
                all = all && ok;
                if (ok && move) RemoveDirectoryA(local.c_str());
            } else {
                bool ok = s.PutFile(local, target, progressCancel());
                if (ok && move) ok = DeleteFileA(local.c_str()) != 0;
                all = all && ok;
            }
        }
        return all;
    }

    // The progress window's Cancel reaches into a running transfer too.
    const std::atomic<bool>* progressCancel() const { return &progress.CancelFlag(); }
};

bool deleteTree(ftp::FtpSession& s, FtpProgressDialog& progress, HWND window,
                const std::vector<std::string>& remotes) {
    bool all = true;
    for (const std::string& remote : remotes) {
        if (progress.IsCancelRequested()) return false;
        const std::string name = itemName(remote);
        if (name == "." || name == ".." || name.empty()) continue;
        postFtpItemText(window, name);
        if (remoteDirectory(s, remote)) {
            std::vector<std::string> children;
            if (!remoteChildren(s, remote, children)) {
                all = false;
                continue;
            }
            std::string up = ftp::parentPath(remote);
            s.ChangeDirectory(up);
            bool ok = deleteTree(s, progress, window, children);
            // Emptied, the directory goes with the server's own removal.
            all = ok && s.RemoveDirectory(remote) && all;
        } else {
            all = s.DeleteFile(remote) && all;
        }
    }
    return all;
}

std::vector<std::string> remoteParts(const std::vector<std::string>& paths) {
    std::vector<std::string> out;
    for (const auto& p : paths) out.push_back(remotePart(p));
    return out;
}

}  // namespace

SessionChoice::SessionChoice(ftp::FtpSession& browsing, Profile& profile, const std::string& ftpPath) {
    auto parsed = ftp::parseFtpPath(ftpPath);
    if (!parsed) return;
    if (browsing.IsConnected() && browsing.GetHost() == parsed->host && browsing.GetPort() == parsed->port) {
        chosen_ = &browsing;
        return;
    }
    ftp::Account account = ftp::readAccount(profile, parsed->hostKey());
    if (!account.usable()) return;
    own_ = std::make_unique<ftp::FtpSession>("VorbinWorkFTP");
    if (!own_->Connect(parsed->host, account.user, account.password, account.passive, parsed->port, true))
        return;
    chosen_ = own_.get();
}

bool CFtpCommand::transfer(const std::vector<std::string>& given, const std::string& destination,
                           bool move) {
    if (given.empty()) return false;
    std::vector<std::string> sources;
    for (const std::string& s : given) {
        const bool whole = isFtpPath(s) || isDrivePath(s) || s.starts_with("\\\\") || s.starts_with("//");
        sources.push_back(whole ? s : joinPath(paneDirectory_, s));
    }
    const bool fromArchive = isArchivePath(sources.front());
    // An archive does not give up its members: they are only copied out.
    if (fromArchive && move) {
        showMessage(owner, MessageInsideArchive);
        return true;
    }
    int answer = showMessage(owner, move ? 2002 : 2001, static_cast<int>(sources.size()));
    if (!isYes(answer)) return false;
    RemovedAfterwards unpacked;
    if (fromArchive) {
        if (!isFtpPath(destination) || !hooks_.extractInto) return false;
        unpacked.path = archiveUploadDirectory();
        if (unpacked.path.empty()) {
            showMessage(owner, 2007);
            return false;
        }
        sources = hooks_.extractInto(sources, unpacked.path);
        // The archive's own message has told why.
        if (sources.empty()) return false;
    }
    const bool down = !fromArchive && isFtpPath(sources.front());
    const bool up = isFtpPath(destination);
    bool ok = false;
    if (down && up) {
        // Server to server: down into the work directory, up from there.
        auto src = ftp::parseFtpPath(sources.front());
        std::string work = settings_.WorkDirectory(1, [](const std::string& d) {
            return CreateDirectoryA(d.c_str(), nullptr) || localDirectory(d);
        });
        std::string hostPart;
        for (char c : src->hostKey()) hostPart += (c == ':' || c == '[' || c == ']') ? '_' : c;
        const std::string local = joinPath(work, hostPart + "_vorbin_copy_work");
        // Emptied before use: what an earlier copy left must not travel on.
        if (localDirectory(local)) {
            std::string doubleNul = local + '\0' + '\0';
            SHFILEOPSTRUCTA op{};
            op.wFunc = FO_DELETE;
            op.pFrom = doubleNul.c_str();
            op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
            SHFileOperationA(&op);
        }
        if (!makeLocalDirectories(local)) return false;
        SessionChoice from(session, settings_.profile(), sources.front());
        if (!from.get()) return false;
        ok = runJob(*from.get(), owner, [&](FtpProgressDialog& p) {
            Transfer t{*from.get(), p, p.WaitForWindow(), false};
            return t.download(remoteParts(sources), local);
        });
        std::vector<std::string> copies;
        for (const auto& s : sources) copies.push_back(joinPath(local, itemName(s)));
        if (ok) {
            SessionChoice to(session, settings_.profile(), destination);
            if (!to.get()) return false;
            ok = runJob(*to.get(), owner, [&](FtpProgressDialog& p) {
                Transfer t{*to.get(), p, p.WaitForWindow(), true};
                return t.upload(copies, remotePart(destination), remoteDirectory(*to.get(), remotePart(destination)));
            });
        }
        if (ok && move) {
            ok = runJob(*from.get(), owner, [&](FtpProgressDialog& p) {
                return deleteTree(*from.get(), p, p.WaitForWindow(), remoteParts(sources));
            });
        }
    } else if (down) {
        SessionChoice from(session, settings_.profile(), sources.front());
        if (!from.get()) return false;
        ok = runJob(*from.get(), owner, [&](FtpProgressDialog& p) {
            Transfer t{*from.get(), p, p.WaitForWindow(), move};
            return t.download(remoteParts(sources), destination);
        });
    } else if (up) {
        SessionChoice to(session, settings_.profile(), destination);
        if (!to.get()) return false;
        ok = runJob(*to.get(), owner, [&](FtpProgressDialog& p) {
            Transfer t{*to.get(), p, p.WaitForWindow(), move};
            const std::string remote = remotePart(destination);
            return t.upload(sources, remote, remoteDirectory(*to.get(), remote));
        });
    }
    if (!ok) showMessage(owner, move ? 2008 : 2007);
    return ok;
}

std::string CFtpCommand::archiveUploadDirectory() {
    const std::string work = settings_.WorkDirectory(1, [](const std::string& d) {
        return CreateDirectoryA(d.c_str(), nullptr) || localDirectory(d);
    });
    const std::string base = ftp::localMirror(work, "|vorbin_AFtp_work");
    if (!makeLocalDirectories(base)) return {};
    // Made exclusively: another instance may start an upload in the same tick.
    const DWORD tick = GetTickCount();
    for (DWORD i = 0; i < 1000; ++i) {
        const std::string directory = joinPath(base, std::to_string(tick + i));
        if (CreateDirectoryA(directory.c_str(), nullptr)) return directory;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    return {};
}

bool CFtpCommand::Copy(const std::vector<std::string>& sources, const std::string& destination) {
    return transfer(sources, destination, false);
}

bool CFtpCommand::Move(const std::vector<std::string>& sources, const std::string& destination) {
    return transfer(sources, destination, true);
}

bool CFtpCommand::Delete(const std::vector<std::string>& sources, bool) {
    if (sources.empty()) return false;
    if (!isYes(showMessage(owner, 2000, static_cast<int>(sources.size())))) return false;
    SessionChoice choice(session, settings_.profile(), sources.front());
    if (!choice.get()) return false;
    bool ok = runJob(*choice.get(), owner, [&](FtpProgressDialog& p) {
        return deleteTree(*choice.get(), p, p.WaitForWindow(), remoteParts(sources));
    });
    if (!ok) showMessage(owner, 2009);
    return ok;
}

bool CFtpCommand::Rename(const std::string& oldPath, const std::string& newPath) {
    SessionChoice choice(session, settings_.profile(), oldPath);
    bool ok = choice.get() && choice.get()->Rename(remotePart(oldPath), remotePart(newPath));
    if (!ok) showMessage(owner, 2006, itemName(oldPath), itemName(newPath));
    return ok;
}

bool CFtpCommand::MakeDirectory(const std::string& path) {
    SessionChoice choice(session, settings_.profile(), path);
    return choice.get() && choice.get()->CreateDirectory(remotePart(path));
}

bool CFtpCommand::CreateEmptyFile(const std::string& path) {
    if (itemName(path).empty()) return false;
    SessionChoice choice(session, settings_.profile(), path);
    return choice.get() && choice.get()->CreateEmptyFile(remotePart(path));
}

bool CFtpCommand::openRemote(const std::string& program, const std::string& remote) {
    auto parsed = ftp::parseFtpPath(remote);
    if (!parsed || !watches_) return false;
    const std::string work = settings_.WorkDirectory(1, [](const std::string& d) {
        return CreateDirectoryA(d.c_str(), nullptr) || localDirectory(d);
    });
    const std::string local = ftp::localMirror(work, remote);
    const std::size_t cut = sjis::findLastChar(local, '\\');
    if (cut == std::string::npos || !makeLocalDirectories(local.substr(0, cut))) return false;
    if (!watches_->has(program, local, remote)) {
        // A copy still shown by an earlier program is not written over.
        for (int i = 0; i < 20; ++i) {
            DWORD a = GetFileAttributesA(local.c_str());
            if (a == INVALID_FILE_ATTRIBUTES) break;
            if (a & FILE_ATTRIBUTE_READONLY) {
                SetFileAttributesA(local.c_str(), a & ~FILE_ATTRIBUTE_READONLY);
                break;
            }
            Sleep(200);
        }
        SessionChoice choice(session, settings_.profile(), remote);
        if (!choice.get() || !choice.get()->GetFile(parsed->path, local, nullptr)) return false;
    }
    return watches_->add(std::make_unique<EditWatchJob>(session, settings_.profile(), program, remote, local, owner));
}

bool CFtpCommand::Execute(const std::string& file, const std::string& parameters) {
    if (isFtpPath(parameters)) return openRemote(file, parameters);
    if (isFtpPath(file)) return openRemote("", file);
    return false;
}

bool CFtpCommand::Open(const std::string& file, const std::string&, int) {
    return isFtpPath(file) && openRemote("", file);
}
