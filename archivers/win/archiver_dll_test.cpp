// Our archiver DLLs loaded by name as a host loads them: every interface
// function resolved, then pack, list and extract round trips under code page 932.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "archivers/core/individual_info.h"
#include "archivers/tests/rar_builder.h"

namespace {

using Command = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
using OpenArchive = HANDLE(WINAPI*)(HWND, LPCSTR, DWORD);
using CloseArchive = int(WINAPI*)(HANDLE);
using FindFirst = int(WINAPI*)(HANDLE, LPCSTR, arc::IndividualInfo*);
using FindNext = int(WINAPI*)(HANDLE, arc::IndividualInfo*);

class Library {
public:
    Library(const char* file, std::string prefix) : module_(LoadLibraryA(file)), prefix_(std::move(prefix)) {}
    ~Library() {
        if (module_) FreeLibrary(module_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    explicit operator bool() const { return module_ != nullptr; }
    template <class F>
    F get(const char* suffix) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, (prefix_ + suffix).c_str())));
    }

private:
    HMODULE module_;
    std::string prefix_;
};

// A fresh folder under the temporary directory, made current while it lives.
class ScratchFolder {
public:
    ScratchFolder() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        GetCurrentDirectoryA(MAX_PATH, old_);
        path_ = std::string(base) + "arcdll" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(counter_++);
        CreateDirectoryA(path_.c_str(), nullptr);
        SetCurrentDirectoryA(path_.c_str());
    }
    ~ScratchFolder() {
        SetCurrentDirectoryA(old_);
        std::string from = path_ + std::string(1, '\0');
        SHFILEOPSTRUCTA op {};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NO_UI;
        SHFileOperationA(&op);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

private:
    static inline int counter_ = 0;
    std::string path_;
    char old_[MAX_PATH];
};

void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string kDir = "\x95\x5C\x8e\xa6";            // 表示
const std::string kName = "\x83\x5C\x83\x74\x83\x67.txt";  // ソフト.txt
const std::string kFile = kDir + "\\" + kName;

std::vector<std::string> listing(const Library& lib, const std::string& archive) {
    std::vector<std::string> names;
    auto open = lib.get<OpenArchive>("OpenArchive");
    auto close = lib.get<CloseArchive>("CloseArchive");
    auto first = lib.get<FindFirst>("FindFirst");
    auto next = lib.get<FindNext>("FindNext");
    HANDLE h = open(nullptr, archive.c_str(), 0x4202);
    if (!h) return names;
    arc::IndividualInfo info {};
    for (int r = first(h, "*", &info); r == 0; r = next(h, &info))
        names.push_back(std::string(info.szFileName) + "|" + info.szAttribute + "|" + std::to_string(info.dwOriginalSize));
    close(h);
    return names;
}

TEST(ArchiverDll, EveryLibraryExportsTheInterface) {
    const std::pair<const char*, const char*> libs[] = {{"UNZIP32.DLL", "UnZip"}, {"ZIP32J.DLL", "Zip"},
                                                        {"TAR32.DLL", "Tar"},     {"UNLHA32.DLL", "Unlha"},
                                                        {"UNRAR32.DLL", "Unrar"}, {"CAB32.DLL", "Cab"}};
    for (const auto& [file, prefix] : libs) {
        SCOPED_TRACE(file);
        Library lib(file, prefix);
        ASSERT_TRUE(lib);
        for (const char* f : {"", "GetVersion", "GetRunning", "CheckArchive", "OpenArchive", "CloseArchive",
                              "FindFirst", "FindNext"})
            EXPECT_NE(lib.get<void*>(f), nullptr) << prefix << f;
        EXPECT_FALSE(lib.get<BOOL(WINAPI*)()>("GetRunning")());
    }
}

TEST(ArchiverDll, PackListAndExtractRoundTrips) {
    struct Case {
        const char* packDll;
        const char* packPrefix;
        const char* packLine;
        const char* readDll;
        const char* readPrefix;
        const char* extractLine;
        const char* archive;
    };
    const Case cases[] = {
        {"ZIP32J.DLL", "Zip", "-r \"a b.zip\" \"%s\\*.*\" top.txt", "UNZIP32.DLL", "UnZip", "-x -o \"..\\a b.zip\"", "a b.zip"},
        {"UNLHA32.DLL", "Unlha", "a -d \"a b.lzh\" \"%s\\*.*\" top.txt", "UNLHA32.DLL", "Unlha", "x -cnr \"..\\a b.lzh\"", "a b.lzh"},
        {"TAR32.DLL", "Tar", "-zcvf \"a b.tgz\" \"%s\\*.*\" top.txt", "TAR32.DLL", "Tar", "-zxvf \"..\\a b.tgz\"", "a b.tgz"},
        {"CAB32.DLL", "Cab", "-a -r \"a b.cab\" \"%s\\*.*\" top.txt", "CAB32.DLL", "Cab", "-x \"..\\a b.cab\"", "a b.cab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.archive);
        ScratchFolder scratch;
        CreateDirectoryA(kDir.c_str(), nullptr);
        put(kFile, std::string(20000, 'j') + "end");
        put("top.txt", "top");
        Library packer(c.packDll, c.packPrefix);
        Library reader(c.readDll, c.readPrefix);
        ASSERT_TRUE(packer && reader);
        char line[512];
        std::snprintf(line, sizeof line, c.packLine, kDir.c_str());
        char out[1024];
        ASSERT_EQ(packer.get<Command>("")(nullptr, line, out, sizeof out), 0) << out;
        auto names = listing(reader, c.archive);
        std::string all;
        for (const auto& n : names) all += n + "\n";
        EXPECT_NE(all.find(kDir + "/" + kName + "|A|20003"), std::string::npos) << all;
        EXPECT_NE(all.find("top.txt|A|3"), std::string::npos) << all;
        CreateDirectoryA("x", nullptr);
        SetCurrentDirectoryA("x");
        EXPECT_EQ(reader.get<Command>("")(nullptr, c.extractLine, nullptr, 0), 0);
        EXPECT_EQ(get(kFile), std::string(20000, 'j') + "end");
        EXPECT_EQ(get("top.txt"), "top");
        SetCurrentDirectoryA("..");
    }
}

TEST(ArchiverDll, UnrarExtractsStoredMembersAndRefusesCompressedOnes) {
    ScratchFolder scratch;
    put("t.rar", arctest::rar4({arctest::rarStored(kFile, "stored"), arctest::rarCompressed("c.txt", 100)}));
    Library unrar("UNRAR32.DLL", "Unrar");
    ASSERT_TRUE(unrar);
    auto names = listing(unrar, "t.rar");
    ASSERT_EQ(names.size(), 2u);
    char out[1024];
    EXPECT_EQ(unrar.get<Command>("")(nullptr, "\"t.rar\"", out, sizeof out), 0x8009);
    EXPECT_EQ(get(kFile), "stored");
    EXPECT_EQ(GetFileAttributesA("c.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST(ArchiverDll, ListingCommandsFillTheBufferSafely) {
    ScratchFolder scratch;
    put("top.txt", "top");
    Library unlha("UNLHA32.DLL", "Unlha");
    ASSERT_TRUE(unlha);
    char out[1024];
    ASSERT_EQ(unlha.get<Command>("")(nullptr, "a t.lzh top.txt", out, sizeof out), 0);
    std::string big(4096, 'Z');
    ASSERT_EQ(unlha.get<Command>("")(nullptr, "l t.lzh", big.data(), 40), 0);
    EXPECT_EQ(std::strlen(big.c_str()), 39u);  // cut and terminated inside the 40 bytes
    EXPECT_EQ(big[40], 'Z');
    ASSERT_EQ(unlha.get<Command>("")(nullptr, "l t.lzh", out, sizeof out), 0);
    EXPECT_NE(std::string(out).find("top.txt"), std::string::npos);
}

}  // namespace
