#pragma once
// The settings file through the platform's private-profile functions.
#include <string>

#include "services/profile.h"

class IniProfile : public Profile {
public:
    explicit IniProfile(std::string file) : file_(std::move(file)) {}
    std::string read(const std::string& section, const std::string& key) override;
    void write(const std::string& section, const std::string& key,
               const std::string& value) override;
    const std::string& file() const { return file_; }

private:
    std::string file_;
};
