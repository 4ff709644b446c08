// Pane commands that ask the user first. The dialogs themselves are being
// built; until they land these commands do nothing.
#include "app/win/main_window.h"

void MainWindow::findByName() {}
void MainWindow::changeMask() {}
void MainWindow::selectByPattern() {}
void MainWindow::sortDialog() {}
void MainWindow::copyMarkedList() {}
void MainWindow::keyDialog() {}
void MainWindow::colourDialog() {}
bool MainWindow::askParameter(int, std::string&) { return false; }
