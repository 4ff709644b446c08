// The Set View dialog's OK reaches every instance.
#include "app/win/main_window.h"
#include "app/win/set_view_dialog.h"
#include "services/messages.h"

void MainWindow::setViewDialog() {
    if (!runSetViewDialog(hwnd_, settings_, extTable_)) return;
    settings_.Save();
    broadcast(MsgReload, 0, 0);
    applyLook();
    layoutAroundInfo();
    if (info_) info_->Redraw();
    pane_.repaintAll();
}
