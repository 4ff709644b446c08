#pragma once
// The pane's file operations: the command object chosen for the paths, the
// commands that copy, move, delete, rename and create, the file clipboard,
// and the command lines that start programs. What it needs of the window
// comes through FileOperationsHost.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/win/ftp_edit_watch.h"
#include "ftp/win/ftp_session.h"
#include "fileops/macro_expansion.h"
#include "fileops/win/command.h"
#include "fileops/win/local_command.h"
#include "panes/ext_table.h"
#include "panes/listing_source.h"
#include "panes/win/file_pane.h"
#include "panes/win/win_file_system.h"
#include "services/drive_memory.h"
#include "services/settings.h"

class FileOperationsHost {
public:
    virtual std::string currentDirectory() const = 0;
    virtual std::string cursorPath() const = 0;
    virtual std::vector<int> markedEntries() const = 0;
    // Reads the directory again; false when it cannot be listed.
    virtual bool loadListing(const std::string& path, bool force) = 0;
    virtual void putCursorOnName(const std::string& name) = 0;
    virtual void refreshKeepingMarks() = 0;
    virtual void paneGoTo(const std::string& path) = 0;
    virtual void openCursorEntry() = 0;

protected:
    ~FileOperationsHost() = default;
};

class FileOperations {
public:
    FileOperations(FileOperationsHost& host, Settings& settings, FilePane& pane,
                   WinFileSystem& fileSystem, const ExtTable& extTable, const DriveMemory& drives,
                   const ListingSource& listingSource)
        : host_(host),
          settings_(settings),
          pane_(pane),
          fileSystem_(fileSystem),
          extTable_(extTable),
          drives_(drives),
          listingSource_(listingSource) {}

    // The window that owns the dialogs and the command objects.
    void attach(HWND window) { hwnd_ = window; }
    // What the local command object does with paths inside archives.
    void setArchiveHooks(LocalCommandHooks hooks) { archiveHooks_ = std::move(hooks); }
    // The browsing session FTP commands start from.
    void setFtpSession(ftp::FtpSession* session) { ftpSession_ = session; }
    // Remote files open through local copies, watched until their program ends.
    EditWatchList& editWatches() { return editWatches_; }

    CCommand& commandFor(const std::string& source, const std::string& destination);
    void copyCommand();
    void moveCommand();
    void deleteCommand(bool toRecycleBin);
    void renameCommand();
    void makeCommand(bool directory);
    void clipboardCopy(bool cut);
    void clipboardPaste();
    void executeCursor();
    void editSelected();
    void startFileCollector();
    void attributesCommand();
    void explorerCommand();
    void propertiesCommand();
    void shortcutCommand();

    void paneFilesDropped(const std::vector<std::string>& paths);
    // Shows why when a selected entry has lost characters and no short name.
    bool refusedUnreachable() const;
    bool runCommandLine(const std::string& line, int target);
    void beginCommandRun();
    void endCommandRun();

private:
    std::vector<std::string> selectedNames() const;
    std::string driveDirectory(char letter) const;
    // names are relative to directory, or full paths when direct.
    bool copyTo(const std::vector<std::string>& names, const std::string& destination, bool direct,
                const std::string& directory);
    bool moveTo(const std::vector<std::string>& names, const std::string& destination,
                const std::string& directory);
    void listAgainAt(int cursor);
    void listAgainOn(const std::string& name);
    bool refusedInsideArchive();
    MacroContext macroContext(int target) const;

    std::string currentDirectory() const { return host_.currentDirectory(); }
    std::string cursorPath() const { return host_.cursorPath(); }
    std::vector<int> markedEntries() const { return host_.markedEntries(); }
    bool loadListing(const std::string& path, bool force) { return host_.loadListing(path, force); }
    void putCursorOnName(const std::string& name) { host_.putCursorOnName(name); }
    void refreshKeepingMarks() { host_.refreshKeepingMarks(); }
    void paneGoTo(const std::string& path) { host_.paneGoTo(path); }
    void openCursorEntry() { host_.openCursorEntry(); }

    FileOperationsHost& host_;
    Settings& settings_;
    FilePane& pane_;
    WinFileSystem& fileSystem_;
    const ExtTable& extTable_;
    const DriveMemory& drives_;
    const ListingSource& listingSource_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<CCommand> command_;
    LocalCommandHooks archiveHooks_;
    ftp::FtpSession* ftpSession_ = nullptr;
    EditWatchList editWatches_;
    // The marked entries as a run over them began, by listing position.
    std::map<int, MacroContext> runSnapshot_;
};
