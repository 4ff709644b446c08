// The release zip unpacked into a folder with Japanese and a blank in its
// name (run_package_test makes it): every program starts from there with the
// shipped settings, F1 shows the help, the libraries load and work, and every
// process started here is ended here.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "base/win/handle.h"
#include "e2e/child_process.h"
#include "e2e/user_input.h"
#include "e2e/vorbin_process.h"
#include "testing/win/scratch_directory.h"
#include "testing/win/screen_pixels.h"

namespace {
constexpr int PageControl = 1005;
const char* const SearchCaption = "\x83\x74\x83\x40\x83\x43\x83\x8b\x8c\x9f\x8d\xf5" " - Quorvane";

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string withoutTrailingSlash(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

struct TitleSearch {
    std::string prefix;
    HWND found;
};

BOOL CALLBACK matchTitle(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<TitleSearch*>(lp);
    if (!IsWindowVisible(hwnd) || windowTitle(hwnd).rfind(search->prefix, 0) != 0) return TRUE;
    search->found = hwnd;
    return FALSE;
}

BOOL CALLBACK countTitle(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<std::pair<std::string, int>*>(lp);
    if (IsWindowVisible(hwnd) && windowTitle(hwnd) == search->first) ++search->second;
    return TRUE;
}

int windowsTitled(const std::string& title) {
    std::pair<std::string, int> search{title, 0};
    EnumWindows(countTitle, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND windowTitled(const std::string& prefix) {
    TitleSearch search{prefix, nullptr};
    EnumWindows(matchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The program behind a window this test did not start itself.
UniqueHandle processOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return UniqueHandle{OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION,
                                    FALSE, pid)};
}

std::string imageOf(HANDLE process) {
    char path[MAX_PATH * 2] = "";
    DWORD size = sizeof path;
    return QueryFullProcessImageNameA(process, 0, path, &size) ? path : "";
}

// Closes the window as a user does and waits for its program to end; a
// program that does not end is ended and the test fails.
void closeAndWait(HWND window, HANDLE process) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, 15000) == WAIT_OBJECT_0) return;
    TerminateProcess(process, 1);
    ADD_FAILURE() << "did not end on WM_CLOSE: " << windowTitle(window);
}

// The top of a window's client area as a 24-bit BMP, for a person to look at.
void saveShot(HWND window, const std::string& file) {
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0) return;
    std::ofstream(file, std::ios::binary) << bmpFile(screenPixels(window, width, height), width, height);
}

int inkedRows(const std::vector<uint32_t>& pixels, int width, int height) {
    int rows = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (pixels[size_t(y) * width + x] != 0) {
                ++rows;
                break;
            }
    return rows;
}

// Programs still running from folder, by their image names.
std::string runningFrom(const std::string& folder) {
    std::string found;
    UniqueHandle snapshot{CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    if (!snapshot || !Process32First(snapshot.get(), &entry)) return found;
    do {
        UniqueHandle process{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID)};
        std::string image = process ? imageOf(process.get()) : "";
        if (image.size() > folder.size() && _strnicmp(image.c_str(), folder.c_str(), folder.size()) == 0)
            found += image + " ";
    } while (Process32Next(snapshot.get(), &entry));
    return found;
}

using Command = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
using Version = WORD(WINAPI*)();

class Library {
public:
    explicit Library(const std::string& path) : module_(LoadLibraryA(path.c_str())) {}
    ~Library() {
        if (module_) FreeLibrary(module_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    explicit operator bool() const { return module_ != nullptr; }
    template <class F>
    F get(const std::string& name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name.c_str())));
    }

private:
    HMODULE module_;
};

class Package : public ::testing::Test {
protected:
    void SetUp() override {
        dir = environment("VORBIN_PACKAGE_DIR");
        shots = environment("VORBIN_PACKAGE_SHOTS");
        ASSERT_FALSE(dir.empty()) << "run through e2e/package/run_package_test";
        dir = withoutTrailingSlash(dir) + "\\";
        ASSERT_NE(GetFileAttributesA((dir + "Vorbin.exe").c_str()), INVALID_FILE_ATTRIBUTES) << dir;
    }
    std::string dir, shots;
};

TEST_F(Package, EveryProgramStartsFromTheUnpackedFolderWithTheShippedSettings) {
    // Started from elsewhere: the program directory is the exe's, not the
    // current one.
    ScratchDirectory elsewhere("vbpkg");
    ChildProcess vorbin(dir + "Vorbin.exe", "", elsewhere.path());
    ASSERT_TRUE(vorbin.started());
    HWND main = vorbin.waitForWindow("[Vorbin:0]");
    ASSERT_TRUE(main);
    EXPECT_EQ(withoutTrailingSlash(windowTitle(main)), "[Vorbin:0] (*.*) " + withoutTrailingSlash(dir));

    // The pane lists the package: an unbound letter finds Quorvane.exe; End
    // is bound by the shipped KEY.TBL alone.
    ASSERT_TRUE(typeKey(main, Keystroke{'Q'}));
    EXPECT_TRUE(waitUntil([&] { return viewedPath() == dir + "Quorvane.exe"; })) << viewedPath();
    ASSERT_TRUE(typeKey(main, Keystroke{VK_END}));
    EXPECT_TRUE(waitUntil([&] {
        std::string at = viewedPath();
        return at != dir + "Quorvane.exe" && at.rfind(dir, 0) == 0 &&
               GetFileAttributesA(at.c_str()) != INVALID_FILE_ATTRIBUTES;
    })) << viewedPath();

    // travik, loaded here, reads the program behind Vorbin's window from
    // inside Vorbin, where its hook loads the packaged copy.
    {
        Library travik(dir + "travik.dll");
        ASSERT_TRUE(travik);
        using ModulePath = int(__cdecl*)(HWND, char*, unsigned);
        auto modulePath = travik.get<ModulePath>("GetModulePathFromHwnd");
        ASSERT_TRUE(modulePath);
        char path[MAX_PATH * 2] = "";
        modulePath(main, path, sizeof path);
        EXPECT_EQ(std::string(path), dir + "Vorbin.exe");
    }

    // F1: this prefix has no program for .html, so the help shows in a
    // window of Pelko's own.
    ASSERT_TRUE(typeKey(main, Keystroke{VK_F1}));
    const std::string help = dir + "help\\vorbin.html";
    HWND pelko = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (pelko = windowTitled(help + " - Pelko")) != nullptr; }, 20000))
        << "no window showing " << help;
    UniqueHandle pelkoProcess = processOf(pelko);
    // One key, one window (F1 also comes back as the platform's help request).
    pumpMessages(1000);
    EXPECT_EQ(windowsTitled(help + " - Pelko"), 1);
    EXPECT_EQ(imageOf(pelkoProcess.get()), dir + "Pelko.exe");
    HWND page = GetDlgItem(pelko, PageControl);
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(page) != FALSE; }));
    RECT area{};
    GetClientRect(page, &area);
    // Several lines of the page's text, not a blank or a single error line.
    EXPECT_TRUE(waitUntil([&] {
        return inkedRows(screenPixels(page, area.right, area.bottom), area.right, area.bottom) > 60;
    }, 5000));
    if (!shots.empty()) saveShot(pelko, shots + "\\help-in-pelko.bmp");
    closeAndWait(pelko, pelkoProcess.get());

    // Quorvane, started by Vorbin's key from the package.
    ASSERT_TRUE(typeKey(main, Keystroke{'F', true, true}));
    HWND search = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (search = windowTitled(SearchCaption)) != nullptr; }, 20000));
    UniqueHandle searchProcess = processOf(search);
    EXPECT_EQ(imageOf(searchProcess.get()), dir + "Quorvane.exe");
    closeAndWait(search, searchProcess.get());

    // Lintor hands a path with Japanese and a blank over and ends.
    {
        ChildProcess lintor(dir + "Lintor.exe", "\"" + dir + "help\" 0", dir);
        ASSERT_TRUE(lintor.waitForExit(15000));
        EXPECT_EQ(lintor.exitCode(), 0u);
        EXPECT_TRUE(waitUntil([&] {
            return withoutTrailingSlash(windowTitle(main)) == "[Vorbin:0] (*.*) " + dir + "help";
        })) << windowTitle(main);
    }

    // Tovek with travik from the package.
    {
        ChildProcess tovek(dir + "Tovek.exe", "", dir);
        HWND window = tovek.waitForWindow("Tovek");
        ASSERT_TRUE(window);
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(tovek.waitForExit(15000));
    }

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(vorbin.waitForExit(20000));
    std::string left;
    EXPECT_TRUE(waitUntil([&] { return (left = runningFrom(dir)).empty(); }, 5000)) << left;
}

TEST_F(Package, ArchiverLibrariesLoadAndRoundTripAFile) {
    struct Case {
        const char* packer;
        const char* prefix;
        const char* packLine;
        const char* reader;
        const char* readPrefix;
        const char* extractLine;
    };
    // 表 ends in the byte 0x5C; the archive's name has a blank.
    const std::string member = "\x95\x5c.txt";
    const Case cases[] = {
        {"ZIP32J.DLL", "Zip", "\"a b.zip\" \x95\x5c.txt", "UNZIP32.DLL", "UnZip", "-x -o \"..\\a b.zip\""},
        {"UNLHA32.DLL", "Unlha", "a \"a b.lzh\" \x95\x5c.txt", "UNLHA32.DLL", "Unlha", "x \"..\\a b.lzh\""},
        {"TAR32.DLL", "Tar", "-zcvf \"a b.tgz\" \x95\x5c.txt", "TAR32.DLL", "Tar", "-zxvf \"..\\a b.tgz\""},
        {"CAB32.DLL", "Cab", "-a \"a b.cab\" \x95\x5c.txt", "CAB32.DLL", "Cab", "-x \"..\\a b.cab\""},
    };
    char old[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, old);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.packer);
        ScratchDirectory work("vbpkgarc");
        ASSERT_TRUE(work.writeFile(member, "packed " + std::string(c.packer)));
        ASSERT_TRUE(work.makeDirectory("out"));
        Library packer(dir + c.packer);
        Library reader(dir + c.reader);
        ASSERT_TRUE(packer && reader);
        auto pack = packer.get<Command>(c.prefix);
        auto extract = reader.get<Command>(c.readPrefix);
        ASSERT_TRUE(pack && extract);
        char out[1024] = "";
        SetCurrentDirectoryA(work.path().c_str());
        EXPECT_EQ(pack(nullptr, c.packLine, out, sizeof out), 0) << out;
        SetCurrentDirectoryA((work / "out").c_str());
        EXPECT_EQ(extract(nullptr, c.extractLine, out, sizeof out), 0) << out;
        SetCurrentDirectoryA(old);
        EXPECT_EQ(readWholeFile(work / ("out\\" + member)), "packed " + std::string(c.packer));
    }
    // UNRAR32 unpacks only; its version call shows it loads and answers.
    const std::pair<const char*, const char*> entries[] = {
        {"UNRAR32.DLL", "Unrar"}, {"UNZIP32.DLL", "UnZip"}, {"ZIP32J.DLL", "Zip"},
        {"UNLHA32.DLL", "Unlha"}, {"TAR32.DLL", "Tar"},     {"CAB32.DLL", "Cab"}};
    for (const auto& [file, prefix] : entries) {
        Library library(dir + file);
        ASSERT_TRUE(library) << file;
        auto version = library.get<Version>(std::string(prefix) + "GetVersion");
        ASSERT_TRUE(version) << file;
        EXPECT_NE(version(), 0) << file;
    }
}
}  // namespace
