#pragma once
// The one top-level window of an instance: dialog 102 holding the pane. It
// owns what belongs to the instance rather than to the listing: the drive
// memory, the path and mask, the key map, the watcher, the timer, the viewer
// block, and the conversation with the other instances.
#include <windows.h>

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "services/drive_memory.h"
#include "services/settings.h"
#include "app/win/directory_watcher.h"
#include "app/win/file_operations.h"
#include "app/win/help_opener.h"
#include "app/win/ftp_listing_reader.h"
#include "app/win/key_receiver.h"
#include "app/win/viewer_link.h"
#include "archive/win/archive_listing_reader.h"
#include "archive/win/archive_work.h"
#include "base/win/dialog_object.h"
#include "base/win/handle.h"
#include "commands/dispatch.h"
#include "commands/key_map.h"
#include "fileops/macro_expansion.h"
#include "fileops/win/command.h"
#include "info/win/info_view_thread.h"
#include "navigation/location.h"
#include "navigation/win/jump_path_dialog.h"
#include "panes/ext_table.h"
#include "panes/listing_loader.h"
#include "panes/win/file_pane.h"
#include "panes/win/win_file_system.h"
#include "panes/win/win_network_resources.h"

class MainWindow : public DialogObject<MainWindow, FALSE>,
                   public PaneOwner,
                   public CommandHost,
                   private FileOperationsHost {
public:
    MainWindow(Settings& settings, UniqueHandle& instanceLock);
    ~MainWindow() override;

    // Runs the window as a modal dialog until it is closed.
    void run(HINSTANCE instance);

    bool goTo(const std::string& path, bool keepHistory, bool force);
    bool changeDirectory(std::string path, bool keepHistory, bool force, int slot);
    void setTitle(const std::string& path);
    void setMask(const std::string& mask);
    void showCursorEntry(const std::string& name, bool retry);
    void toggleViewer(bool closeOnly);
    void scrollViewer(int dx, int dy);
    void activateInstance(int number);
    void broadcast(UINT message, WPARAM wp, LPARAM lp);
    void bringToFront();
    void focusKeyReceiver();

    // PaneOwner
    void paneGoTo(const std::string& path) override;
    void paneRefresh() override;
    void paneReturn() override;
    void paneCommandMenu() override;
    void paneCursorMoved() override;
    void paneFilesDropped(const std::vector<std::string>& paths) override {
        fileOps_.paneFilesDropped(paths);
    }
    void paneReload() override;
    void paneDragSelected() override;
    void paneFocused() override;

    // CommandHost
    ListingState listing() const override;
    int cursor() const override;
    void setCursor(int index) override;
    std::vector<int> markedEntries() const override;
    void runCommand(const CommandCall& call) override;
    bool runCommandLine(const std::string& line, int target) override {
        return fileOps_.runCommandLine(line, target);
    }
    bool askParameter(int counter, std::string& text) override;
    void beginCommandRun() override { fileOps_.beginCommandRun(); }
    void endCommandRun() override { fileOps_.endCommandRun(); }
    void jumpToLetter(char c) override;
    void openCommandMenu() override;

private:
    friend DialogObject;
    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp);
    void initialise();
    void close();
    void onTimer();
    void onCopyData(const COPYDATASTRUCT* data);
    void reload();
    void openHelp();

    // Listing
    bool loadListing(const std::string& path, bool force) override;
    void refreshKeepingMarks() override;
    void openCursorEntry() override;
    void goBack();
    // The shown directory was removed from outside: go to the nearest one
    // left above it and say so in the title.
    bool leaveVanishedDirectory();
    void applyLook();
    void switchDisplay(CommandId id);
    void putCursorOnName(const std::string& name) override;
    std::string currentDirectory() const override;
    std::string cursorPath() const override;
    void copyTextToClipboard(const std::string& text);

    // Commands with dialogs
    void findByName();
    void selectByPattern();
    void changeMask();
    void sortDialog();
    void copyMarkedList();
    void keyDialog();
    void colourDialog();
    void selectFromClipboard();
    void stepHistory(bool older);
    void jumpDialog(JumpMode mode);
    void changeDrive();
    void jumpList();

    // Archives (main_window_archive.cpp)
    void attachArchives();
    void unpackCommand();
    void packCommand();

    Settings& settings_;
    UniqueHandle& instanceLock_;
    ExtTable extTable_;
    KeyMap keyMap_;
    WinFileSystem fileSystem_;
    WinNetworkResources network_;
    NetworkListingReader networkReader_{network_, extTable_};
    ArchiveWork archiveWork_{settings_};
    ArchiveListingReader archiveReader_{archiveWork_};
    ListingLoader loader_;
    Location location_;
    std::string mask_;
    ListingSource listingSource_ = SourceLocal;
    FilePane pane_;
    KeyReceiver keyReceiver_;
    ViewerLink viewer_{settings_};
    HelpOpener help_{settings_};
    std::string pendingInfoName_;
    std::atomic<bool> refreshRequested_{false};
    DirectoryWatcher watcher_;
    FileOperations fileOps_{*this, settings_, pane_, fileSystem_, extTable_, location_.drives(),
                             listingSource_};
    GdiObject backgroundBrush_;
    HICON icon_ = nullptr;

    // Window places and the info strip (main_window_places.cpp, main_window_info.cpp).
    void restorePlace();
    void savePlace();
    void applySlot(int number);
    void windowPositionDialog();
    void setViewDialog();
    void createInfoWindow();
    // The strip along the top of the client area, the pane below it.
    void layoutAroundInfo();
    void setInfoShown(bool shown);
    void feedInfoEntry(const std::string& path);
    void feedInfoListing();
    void feedInfoCounts();
    std::unique_ptr<InfoViewThread> info_;
    // The browsing session and the reader of FTP listings.
    ftp::FtpSession ftpSession_{"Vorbin"};
    FtpListingReader ftpReader_{settings_, extTable_, ftpSession_};
};
