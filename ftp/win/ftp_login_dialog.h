#pragma once
// The FTP login dialog (resource 154): the host shown, user and password to
// type; the passive box is there but hidden and keeps what it was given.
#include <windows.h>

#include <string>

#include "ftp/account.h"

namespace ftp {

// True on OK with account filled; false on Cancel.
bool runLoginDialog(HWND owner, const std::string& hostKey, Account& account);

}  // namespace ftp
