#include "services/win/ini_profile.h"

#include <windows.h>

std::string IniProfile::read(const std::string& section, const std::string& key) {
    char buffer[1000];
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer,
                             file_.c_str());
    return buffer;
}

void IniProfile::write(const std::string& section, const std::string& key,
                       const std::string& value) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file_.c_str());
}
