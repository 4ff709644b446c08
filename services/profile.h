#pragma once
// The settings file seen as sections of key=value texts. The program hands in
// the platform's private-profile functions; tests hand in a map.
#include <string>

class Profile {
public:
    virtual ~Profile() = default;
    // "" when the file, section or key is absent; a value is cut to 999 bytes.
    virtual std::string read(const std::string& section, const std::string& key) = 0;
    virtual void write(const std::string& section, const std::string& key,
                       const std::string& value) = 0;
};
