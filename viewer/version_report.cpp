#include "viewer/version_report.h"

#include <cstdio>
#include <utility>

const char* const VersionStringNames[12] = {
    "FileVersion",    "ProductVersion", "Comments",         "CompanyName",
    "FileDescription", "InternalName",  "LegalCopyright",   "LegalTrademarks",
    "OriginalFileName", "ProductName",  "PrivateBuild",     "SpecialBuild",
};

namespace {
struct Named {
    std::uint32_t value;
    const char* name;
};

// The platform's values, written out so the report builds anywhere.
constexpr Named Flags[] = {{0x01, "VS_FF_DEBUG"},        {0x02, "VS_FF_PRERELEASE"},
                           {0x04, "VS_FF_PATCHED"},      {0x08, "VS_FF_PRIVATEBUILD"},
                           {0x10, "VS_FF_INFOINFERRED"}, {0x20, "VS_FF_SPECIALBUILD"}};
constexpr Named Systems[] = {
    {0x00000000, "VOS_UNKNOWN"},       {0x00000001, "VOS__WINDOWS16"},
    {0x00000002, "VOS__PM16"},         {0x00000003, "VOS__PM32"},
    {0x00000004, "VOS__WINDOWS32"},    {0x00010000, "VOS_DOS"},
    {0x00010001, "VOS_DOS_WINDOWS16"}, {0x00010004, "VOS_DOS_WINDOWS32"},
    {0x00020000, "VOS_OS216"},         {0x00020002, "VOS_OS216_PM16"},
    {0x00030000, "VOS_OS232"},         {0x00030003, "VOS_OS232_PM32"},
    {0x00040000, "VOS_NT"},            {0x00040004, "VOS_NT_WINDOWS32"}};
constexpr Named Types[] = {{0, "VFT_UNKNOWN"}, {1, "VFT_APP"}, {2, "VFT_DLL"},
                           {3, "VFT_DRV"},     {4, "VFT_FONT"}, {5, "VFT_VXD"},
                           {7, "VFT_STATIC_LIB"}};
constexpr Named Drivers[] = {{0, "VFT2_UNKNOWN"},         {1, "VFT2_DRV_PRINTER"},
                             {2, "VFT2_DRV_KEYBOARD"},    {3, "VFT2_DRV_LANGUAGE"},
                             {4, "VFT2_DRV_DISPLAY"},     {5, "VFT2_DRV_MOUSE"},
                             {6, "VFT2_DRV_NETWORK"},     {8, "VFT2_DRV_INSTALLABLE"},
                             {9, "VFT2_DRV_SOUND"},       {10, "VFT2_DRV_COMM"},
                             {11, "VFT2_DRV_INPUTMETHOD"}};
constexpr Named Fonts[] = {{1, "VFT2_FONT_RASTER"}, {2, "VFT2_FONT_VECTOR"},
                           {3, "VFT2_FONT_TRUETYPE"}};

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(value));
    return text;
}

template <std::size_t N>
std::string named(std::uint32_t value, const Named (&table)[N]) {
    std::string out = hex(value);
    for (const Named& n : table) {
        if (n.value == value) return out + " : " + n.name;
    }
    return out;
}
}  // namespace

std::string versionLine(const std::string& label, const std::string& value) {
    std::string out = label;
    if (out.size() < 17) out.append(17 - out.size(), ' ');
    return out + ": " + value;
}

std::string flagsValue(std::uint32_t flags, std::uint32_t mask) {
    std::string out = hex(flags);
    const std::uint32_t shown = flags & mask;
    for (const Named& n : Flags)
        if (n.value == shown) return out + " : " + n.name;
    return out;
}

std::string osValue(std::uint32_t os) { return named(os, Systems); }
std::string typeValue(std::uint32_t type) { return named(type, Types); }

std::string subtypeValue(std::uint32_t type, std::uint32_t subtype) {
    if (type == 3) return named(subtype, Drivers);
    if (type == 4) return named(subtype, Fonts);
    return hex(subtype);
}

std::string versionReport(
    const std::string& shortPath, int columns, const std::optional<FixedVersion>& fixed,
    const std::function<std::optional<std::string>(const std::string&)>& stringValue) {
    std::string out = "(" + shortPath + ")\n";
    out.append(static_cast<std::size_t>(columns > 0 ? columns : 0), '_');
    out += '\n';
    if (!fixed) return out;
    out += versionLine("FileFlagsMask", hex(fixed->flagsMask)) + "\n";
    out += versionLine("FileFlags", flagsValue(fixed->flags, fixed->flagsMask)) + "\n";
    out += versionLine("FileOS", osValue(fixed->os)) + "\n";
    out += versionLine("FileType", typeValue(fixed->type)) + "\n";
    out += versionLine("FileSubType", subtypeValue(fixed->type, fixed->subtype)) + "\n";
    for (const char* name : VersionStringNames) {
        const std::optional<std::string> value = stringValue(name);
        if (!value) continue;
        if (value->empty()) break;
        out += versionLine(name, *value) + "\n";
    }
    return out;
}
