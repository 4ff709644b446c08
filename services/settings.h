#pragma once
// The settings record of one process and its file "Vorbin.ini".
#include <cstdint>
#include <functional>
#include <string>

#include "services/profile.h"
#include "services/settings_defaults.h"
#include "services/sort_keys.h"

class Settings {
public:
    Settings(Profile& profile, std::string programDirectory);

    // Display group, section "WINDOW".
    int32_t FontHigh = InitialFontHigh;
    int32_t FontWide = InitialFontWide;
    std::string FontName;  // at most 99 bytes
    int32_t FileNameLength = InitialFileNameLength;
    int32_t ExtLength = 0;
    uint8_t TimeOut = 1;
    uint8_t DateTimeOut = 1;
    uint8_t AutoOut = 1;
    uint8_t TodayColor = 1;
    uint8_t InfoWindow = 1;
    char DirFindKey = 'D';
    char FileFindKey = 'F';

    // Sort group, section "SORT".
    SortKeys Sort;

    // Path group, section "PATH".
    std::string FtpWork = "FTP";
    std::string Editor = "notepad.exe";
    std::string LastPath;
    uint8_t FtpTime = 0;
    int32_t FtpSaveCache = 0;
    uint8_t FtpSaveTemp = 0;

    int32_t InstanceNumber = 0;
    // Running number of the archive work directories; advanced past every
    // directory that exists, so instances sharing the folder never collide.
    int32_t ArchiveWorkNumber = 0;

    void Load();
    // Load again after another instance saved, keeping this instance's last path.
    void Reload();
    void Save();
    void SaveDisplay();
    bool ToggleTime();
    bool ToggleSize();
    void SetAuto();

    std::string ReadString(const std::string& section, const std::string& key);
    int ReadInt(const std::string& section, const std::string& key, int defaultValue);
    void WriteString(const std::string& section, const std::string& key, const std::string& text);
    void WriteInt(const std::string& section, const std::string& key, long value);
    void WriteEncoded(const std::string& keyText, const std::string& section,
                      const std::string& key, const std::string& text);
    std::string ReadEncoded(const std::string& keyText, const std::string& section,
                            const std::string& key);

    std::string InstanceKey(const std::string& key) const;
    static std::string InstanceKey(const std::string& key, int number);

    // The file itself, for the tables that keep their own keys in it.
    Profile& profile() const { return profile_; }

    // With trailing "\".
    const std::string& ProgramDirectory() const { return programDirectory_; }

    // Kinds 1 "V_WORK\W_FTP", 2 "V_WORK\W_ARCHIVE", 3 "V_WORK\W_CACHE" under
    // FtpWork when that is a usable drive path (makeDirectory creates one level
    // and answers whether it exists afterwards), else under the program
    // directory. Any other kind gives FtpWork.
    std::string WorkDirectory(int kind,
                              const std::function<bool(const std::string&)>& makeDirectory) const;

private:
    void LoadDisplay();
    void LoadSort();
    void LoadPath();
    void SaveSort();
    void SavePath();
    Profile& profile_;
    std::string programDirectory_;
};

// The leading decimal integer of a text: optional blanks and sign, then digits.
int leadingInt(const std::string& text);

// The password scrambling of stored values ("QUILTMAN" when key is empty).
std::string encodeValue(const std::string& keyText, const std::string& plain);
std::string decodeValue(const std::string& keyText, const std::string& encoded);
