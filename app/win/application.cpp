#include "app/win/application.h"

#include "app/win/instances.h"
#include "app/win/main_window.h"
#include "base/win/handle.h"
#include "services/settings.h"
#include "services/win/ini_profile.h"
#include "services/win/program_directory.h"
#include "services/win/work_cleanup.h"
#include "services/table_files.h"

namespace {
Settings* current = nullptr;

constexpr int WorkFtp = 1;
constexpr int WorkArchive = 2;
}  // namespace

Settings& settings() { return *current; }

int runApplication(HINSTANCE instance) {
    // Dragging files out of a pane needs OLE on this thread.
    OleSession ole;
    IniProfile profile(programDirectory() + SettingsFile);
    Settings record(profile, programDirectory());
    current = &record;
    record.Load();

    InstanceClaim claim = claimInstanceNumber();
    record.InstanceNumber = claim.number;
    // With all eight numbers taken nothing is shown and nothing written back.
    if (claim.number < 0) {
        current = nullptr;
        return 1;
    }
    {
        MainWindow window(record, claim.lock);
        window.run(instance);
        if (!anotherInstanceRunning(claim.number)) {
            removeWorkDirectory(record.WorkDirectory(WorkArchive, makeDirectoryLevel));
            if (!record.FtpSaveTemp)
                removeWorkDirectory(record.WorkDirectory(WorkFtp, makeDirectoryLevel));
        }
    }
    record.Save();
    claim.lock.reset();
    current = nullptr;
    return 0;
}
