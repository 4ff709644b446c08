#pragma once
// Steps the FTP end-to-end tests share: walking the cursor, answering the
// FTP confirmations, typing a transfer's destination, storing an account.
#include <string>

#include "e2e/vorbin_process.h"

// Captions of the FTP confirmations (MESSAGE.tbl 2001, 2002, 2000).
extern const char* const ConfirmCopy;
extern const char* const ConfirmMove;
extern const char* const ConfirmDelete;

bool isDirectoryOnDisk(const std::string& path);
// Presses Yes in the message box of that caption once it shows.
bool answerYes(const char* caption);
// Types the destination into the Copy or Move dialog and says yes to the
// FTP confirmation.
void answerTransfer(const VorbinProcess& vorbin, int key, const char* caption, const std::string& to,
                    const char* confirmation);
// The account of 127.0.0.1:port in the program's ini, as the login dialog stores it.
void storeAccount(const ProgramDirectory& program, uint16_t port, const std::string& user,
                  const std::string& password);
// F3 edits, the account is stored and the editor is a stand-in copied from
// the build beside the program.
bool prepareRemoteEditing(const ProgramDirectory& program, uint16_t port, const std::string& user,
                          const std::string& password, const std::string& editor);
// Files (not directories) anywhere below path.
int filesBelow(const std::string& path);
