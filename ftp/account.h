#pragma once
// The account of a host in section "FTP" of the settings file: user, the
// password in the encoded form with the host key as key text, and the
// passive flag. Passwords leave this file only to log in.
#include <string>

#include "services/profile.h"

namespace ftp {

struct Account {
    std::string user;
    std::string password;
    bool passive = false;
    // A lookup succeeds when both are there.
    bool usable() const { return !user.empty() && !password.empty(); }
};

std::string userKey(const std::string& hostKey);
std::string passwordKey(const std::string& hostKey);
std::string passiveKey(const std::string& hostKey);

Account readAccount(Profile& profile, const std::string& hostKey);
void writeAccount(Profile& profile, const std::string& hostKey, const Account& account);

}  // namespace ftp
