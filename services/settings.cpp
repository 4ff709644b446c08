#include "services/settings.h"

#include <climits>
#include <cstdio>
#include <utility>

#include "services/work_directory.h"
#include "base/path.h"
#include "base/sjis.h"

namespace {

constexpr const char* Window = "WINDOW";
constexpr const char* SortSection = "SORT";
constexpr const char* PathSection = "PATH";
constexpr std::size_t MaxValueBytes = 999;  // the platform reads into 1000 bytes
constexpr std::size_t MaxFontNameBytes = 99;

struct SortSlot {
    const char* key;
    SortItem SortKeys::*item;
};

// File order; "Extention" is the key as the file has always spelt it.
constexpr SortSlot SortSlots[] = {
    {"FileName", &SortKeys::fileName}, {"Extention", &SortKeys::extension},
    {"Time", &SortKeys::time},         {"Attribute", &SortKeys::attribute},
    {"Size", &SortKeys::size},
};

// Cuts at a character boundary so a lead byte never loses its trail byte.
std::string cutToBytes(std::string text, std::size_t maxBytes) {
    text.resize(sjis::fittingLength(text, maxBytes));
    return text;
}

// Field n (0-based) of a ","-separated text; "" when missing.
std::string field(const std::string& text, int n) {
    std::size_t start = 0;
    for (int i = 0; i < n; ++i) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos) return {};
        start = comma + 1;
    }
    return text.substr(start, text.find(',', start) - start);
}

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string formatLong(const char* format, long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// The key stream and digit shuffle of the stored-password form.
class Scrambler {
public:
    explicit Scrambler(const std::string& keyText)
        : key_(keyText.empty() ? std::string("QUILTMAN") : keyText) {
        unsigned mix = 0;
        for (unsigned char c : key_) mix ^= c;
        base_ = (mix + key_.size()) & 0xFF;
    }

    unsigned char keyByte(std::size_t i) const {
        std::size_t sum = base_ - (3 * i) % 256 + keyAt(i);
        return static_cast<unsigned char>(~sum & 0xFF);
    }

    // Each swap undoes itself, so encoding and decoding share it.
    void shuffle(std::string& digits, std::size_t i) const {
        long long r = (static_cast<signed char>(keyAt(i)) + static_cast<long long>(i)) % 3;
        if (r == 0) std::swap(digits[0], digits[2]);
        if (r == 1) std::swap(digits[0], digits[1]);
        if (r == 2) std::swap(digits[1], digits[2]);
    }

private:
    unsigned char keyAt(std::size_t i) const {
        return static_cast<unsigned char>(key_[i % key_.size()]);
    }
    std::string key_;
    unsigned base_ = 0;
};

}  // namespace

Settings::Settings(Profile& profile, std::string programDirectory)
    : profile_(profile), programDirectory_(std::move(programDirectory)) {}

int leadingInt(const std::string& text) {
    constexpr long long limit = static_cast<long long>(INT_MAX) + 1;
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) value = limit;
    }
    if (negative) return static_cast<int>(-value);
    return static_cast<int>(value < limit ? value : INT_MAX);
}

std::string encodeValue(const std::string& keyText, const std::string& plain) {
    Scrambler scrambler(keyText);
    std::string encoded;
    encoded.reserve(plain.size() * 3);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        long v = static_cast<unsigned char>(plain[i]) ^ scrambler.keyByte(i);
        std::string digits = formatLong("%03ld", v);
        scrambler.shuffle(digits, i);
        encoded += digits;
    }
    return encoded;
}

std::string decodeValue(const std::string& keyText, const std::string& encoded) {
    Scrambler scrambler(keyText);
    std::string plain;
    for (std::size_t g = 0; 3 * g + 3 <= encoded.size(); ++g) {
        std::string digits = encoded.substr(3 * g, 3);
        scrambler.shuffle(digits, g);
        plain += static_cast<char>((leadingInt(digits) & 0xFF) ^ scrambler.keyByte(g));
    }
    return plain;
}

std::string Settings::ReadString(const std::string& section, const std::string& key) {
    return cutToBytes(profile_.read(section, key), MaxValueBytes);
}

int Settings::ReadInt(const std::string& section, const std::string& key, int defaultValue) {
    std::string text = ReadString(section, key);
    return text.empty() ? defaultValue : leadingInt(text);
}

void Settings::WriteString(const std::string& section, const std::string& key,
                           const std::string& text) {
    profile_.write(section, key, text);
}

void Settings::WriteInt(const std::string& section, const std::string& key, long value) {
    WriteString(section, key, formatLong("%ld", value));
}

void Settings::WriteEncoded(const std::string& keyText, const std::string& section,
                            const std::string& key, const std::string& text) {
    WriteString(section, key, encodeValue(keyText, text));
}

std::string Settings::ReadEncoded(const std::string& keyText, const std::string& section,
                                  const std::string& key) {
    return decodeValue(keyText, ReadString(section, key));
}

std::string Settings::InstanceKey(const std::string& key) const {
    return InstanceKey(key, InstanceNumber);
}

std::string Settings::InstanceKey(const std::string& key, int number) {
    if (number == 0) return key;
    return key + "_" + std::to_string(number);
}

void Settings::Load() {
    LoadDisplay();
    LoadSort();
    LoadPath();
}

void Settings::Reload() {
    // The file holds this instance's path only as of its last save.
    std::string lastPath = std::move(LastPath);
    Load();
    LastPath = std::move(lastPath);
}

void Settings::LoadDisplay() {
    // The instance key wins; the plain key is its fallback.
    auto layered = [this](const char* key) {
        return ReadInt(Window, InstanceKey(key), ReadInt(Window, key, 0));
    };
    auto ownFlag = [this](const char* key) {
        return static_cast<uint8_t>(ReadInt(Window, InstanceKey(key), 0) != 0);
    };
    FontWide = layered("FontWide");
    FontHigh = layered("FontHigh");
    if (FontWide == 0 || FontHigh == 0) {
        FontHigh = FallbackFontHigh;
        FontWide = FallbackFontWide;
    }
    std::string name = ReadString(Window, InstanceKey("FontName"));
    if (name.empty()) name = ReadString(Window, "FontName");
    FontName = cutToBytes(std::move(name), MaxFontNameBytes);
    FileNameLength = layered("FileNameLength");
    ExtLength = layered("ExtLength");
    if (FileNameLength == 0) FileNameLength = FallbackFileNameLength;
    if (ExtLength == 0) ExtLength = FallbackExtLength;
    DateTimeOut = ownFlag("DateTimeOut");
    TimeOut = ownFlag("TimeOut");
    AutoOut = ownFlag("AutoOut");
    TodayColor = static_cast<uint8_t>(layered("TodayColor") != 0);
    InfoWindow = ownFlag("InfoWindow");
    DirFindKey = static_cast<char>(ReadInt(Window, "DirFindKey", 0) & 0xFF);
    FileFindKey = static_cast<char>(ReadInt(Window, "FileFindKey", 0) & 0xFF);
}

void Settings::LoadSort() {
    for (const SortSlot& slot : SortSlots) {
        std::string text = ReadString(SortSection, slot.key);
        SortItem& item = Sort.*slot.item;
        item.priority = leadingInt(field(text, 0));
        item.down = leadingInt(field(text, 1)) != 0;
        item.on = leadingInt(field(text, 2)) != 0;
    }
    Sort.tagFile = ReadInt(SortSection, "TagFile", 0) != 0;
}

void Settings::LoadPath() {
    Editor = ReadString(PathSection, "Editor");
    LastPath = ReadString(PathSection, InstanceKey("LastPath"));
    // The network view is not offered as a directory to return to.
    if (LastPath.starts_with("//")) LastPath.clear();
    FtpWork = ReadString(PathSection, "FtpWork");
    FtpTime = static_cast<uint8_t>(ReadInt(PathSection, "FtpTime", 0) != 0);
    FtpSaveCache = ReadInt(PathSection, "FtpSaveCache", 0);
    FtpSaveTemp = static_cast<uint8_t>(ReadInt(PathSection, "FtpSaveTemp", 0) != 0);
    if (!isDrivePath(FtpWork)) FtpWork = programDirectory_ + "TEMP";
}

void Settings::Save() {
    SaveDisplay();
    SaveSort();
    SavePath();
}

void Settings::SaveDisplay() {
    WriteInt(Window, InstanceKey("FontWide"), FontWide);
    WriteInt(Window, InstanceKey("FontHigh"), FontHigh);
    WriteString(Window, InstanceKey("FontName"), FontName);
    WriteInt(Window, InstanceKey("FileNameLength"), FileNameLength);
    WriteInt(Window, InstanceKey("ExtLength"), ExtLength);
    WriteInt(Window, InstanceKey("DateTimeOut"), DateTimeOut);
    WriteInt(Window, InstanceKey("TimeOut"), TimeOut);
    WriteInt(Window, InstanceKey("AutoOut"), AutoOut);
    WriteInt(Window, InstanceKey("TodayColor"), TodayColor);
    WriteInt(Window, InstanceKey("InfoWindow"), InfoWindow);
    WriteInt(Window, "DirFindKey", static_cast<signed char>(DirFindKey));
    WriteInt(Window, "FileFindKey", static_cast<signed char>(FileFindKey));
}

void Settings::SaveSort() {
    for (const SortSlot& slot : SortSlots) {
        const SortItem& item = Sort.*slot.item;
        WriteString(SortSection, slot.key,
                    std::to_string(item.priority) + "," + std::to_string(int(item.down)) + "," +
                        std::to_string(int(item.on)));
    }
    WriteInt(SortSection, "TagFile", Sort.tagFile);
}

void Settings::SavePath() {
    WriteString(PathSection, "Editor", Editor);
    WriteString(PathSection, InstanceKey("LastPath"), LastPath);
    WriteString(PathSection, "FtpWork", FtpWork);
    WriteInt(PathSection, "FtpTime", FtpTime);
    WriteInt(PathSection, "FtpSaveCache", FtpSaveCache);
    WriteInt(PathSection, "FtpSaveTemp", FtpSaveTemp);
}

bool Settings::ToggleTime() {
    DateTimeOut = !DateTimeOut;
    AutoOut = 0;
    SaveDisplay();
    return DateTimeOut != 0;
}

bool Settings::ToggleSize() {
    TimeOut = !TimeOut;
    AutoOut = 0;
    SaveDisplay();
    return TimeOut != 0;
}

void Settings::SetAuto() {
    TimeOut = 0;
    DateTimeOut = 0;
    AutoOut = 1;
    SaveDisplay();
}

std::string Settings::WorkDirectory(
    int kind, const std::function<bool(const std::string&)>& makeDirectory) const {
    return workDirectoryPath(kind, FtpWork, programDirectory_, makeDirectory);
}
