// The Set View dialog's OK reaches every instance.
#include "app/win/main_window.h"
#include "app/win/set_view_dialog.h"
#include "services/message_numbers.h"
#include "services/messages.h"
#include "services/win/ini_profile.h"
#include "services/win/message_box.h"

void MainWindow::setViewDialog() {
    if (!runSetViewDialog(hwnd_, settings_, extTable_)) return;
    // Failed profile writes are otherwise silent: the user would lose the
    // change at the next start without knowing.
    auto* file = dynamic_cast<IniProfile*>(&settings_.profile());
    const int failedBefore = file ? file->failedWrites() : 0;
    settings_.Save();
    if (file && file->failedWrites() != failedBefore)
        showMessage(hwnd_, MessageSettingsNotSaved, file->file());
    broadcast(MsgReload, 0, 0);
    applyLook();
    layoutAroundInfo();
    if (info_) info_->Redraw();
    pane_.repaintAll();
}
