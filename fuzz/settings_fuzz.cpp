// Every value of Vorbin.ini comes from the bytes: each key read takes the next
// line, so the rules see any text in any key. Loading, saving and loading again
// must settle: what a save wrote reads back as the same record.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <map>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "services/settings.h"

namespace {

class BytesProfile : public Profile {
public:
    explicit BytesProfile(std::string_view bytes) : rest_(bytes) {}

    std::string read(const std::string& section, const std::string& key) override {
        auto stored = written_.find(section + "\n" + key);
        if (stored != written_.end()) return stored->second;
        auto end = rest_.find('\n');
        std::string value(rest_.substr(0, end));
        rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
        if (value.size() > 999) value.resize(999);
        return value;
    }
    void write(const std::string& section, const std::string& key,
               const std::string& value) override {
        written_[section + "\n" + key] = value;
    }

private:
    std::string_view rest_;
    std::map<std::string, std::string> written_;
};

std::string snapshot(const Settings& s) {
    std::string text = std::to_string(s.FontHigh) + "," + std::to_string(s.FontWide) + "," +
                       s.FontName + "," + std::to_string(s.FileNameLength) + "," +
                       std::to_string(s.ExtLength) + "," + s.FtpWork + "," + s.Editor + "," +
                       s.LastPath + "," + std::to_string(s.FtpSaveCache) + "," +
                       std::to_string(s.InfoWindow) + s.DirFindKey + s.FileFindKey;
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    BytesProfile profile(bytes);
    Settings settings(profile, "C:\\Vorbin\\");
    settings.Load();
    settings.Save();
    const std::string first = snapshot(settings);
    settings.Load();
    FUZZ_CHECK(snapshot(settings) == first);
    settings.Reload();

    // The password scrambling must give back what it was given.
    auto cut = bytes.find('\0');
    std::string key(bytes.substr(0, cut == std::string_view::npos ? 0 : cut));
    std::string plain(bytes.substr(cut == std::string_view::npos ? 0 : cut));
    plain.erase(std::find(plain.begin(), plain.end(), '\0'), plain.end());
    if (plain.size() < 200) FUZZ_CHECK(decodeValue(key, encodeValue(key, plain)) == plain);
    return 0;
}
