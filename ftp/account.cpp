#include "ftp/account.h"

#include "services/settings.h"

namespace ftp {

namespace {
const char Section[] = "FTP";
}

std::string userKey(const std::string& hostKey) { return hostKey + "_USER"; }
std::string passwordKey(const std::string& hostKey) { return hostKey + "_PASS"; }
std::string passiveKey(const std::string& hostKey) { return hostKey + "_PASV"; }

Account readAccount(Profile& profile, const std::string& hostKey) {
    Account a;
    a.user = profile.read(Section, userKey(hostKey));
    a.password = decodeValue(hostKey, profile.read(Section, passwordKey(hostKey)));
    a.passive = leadingInt(profile.read(Section, passiveKey(hostKey))) != 0;
    return a;
}

void writeAccount(Profile& profile, const std::string& hostKey, const Account& account) {
    profile.write(Section, userKey(hostKey), account.user);
    profile.write(Section, passwordKey(hostKey), encodeValue(hostKey, account.password));
    profile.write(Section, passiveKey(hostKey), account.passive ? "1" : "0");
}

}  // namespace ftp
