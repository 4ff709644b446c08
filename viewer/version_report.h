#pragma once
// The version report of a program file: its short path, a rule, the fixed
// version record with the names of known values, then the string values.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct FixedVersion {
    std::uint32_t flagsMask = 0;
    std::uint32_t flags = 0;
    std::uint32_t os = 0;
    std::uint32_t type = 0;
    std::uint32_t subtype = 0;
};

// The string values in the order the report lists them.
extern const char* const VersionStringNames[12];

// "%-17s: %s".
std::string versionLine(const std::string& label, const std::string& value);
// "%08x", then " : " and the name when the value is a known one.
std::string flagsValue(std::uint32_t flags, std::uint32_t mask);
std::string osValue(std::uint32_t os);
std::string typeValue(std::uint32_t type);
std::string subtypeValue(std::uint32_t type, std::uint32_t subtype);

// fixed is absent for a file without version information; stringValue
// answers a name's text, or nothing when the name is not present.
std::string versionReport(
    const std::string& shortPath, int columns, const std::optional<FixedVersion>& fixed,
    const std::function<std::optional<std::string>(const std::string&)>& stringValue);
