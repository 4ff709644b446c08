// Eight instances and Pelko save the settings, the keys and the colours over
// and over, each instance through its dialogs' OK, whose reload broadcast
// makes the seven others read everything back meanwhile. At the end the ini
// file and the tables must be whole, hold a value some writer wrote for
// every key, and every program must have lived to close normally.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/win/resource.h"
#include "app/win/set_view_dialog_ids.h"
#include "commands/key_map.h"
#include "e2e/child_process.h"
#include "e2e/soak/soak_run.h"
#include "e2e/vorbin_process.h"
#include "panes/ext_table.h"
#include "services/win/program_directory.h"

namespace {
constexpr int Instances = 8;

std::string ini(const ProgramDirectory& program, const std::string& section, const std::string& key) {
    char value[1000] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value,
                             (program / "Vorbin.ini").c_str());
    return value;
}

int instanceOf(const std::string& title) {
    int n = -1;
    std::sscanf(title.c_str(), "[Vorbin:%d]", &n);
    return n;
}

// The caption of the dialog each function key opens.
const char* expectedCaption(int functionKey) {
    return functionKey == VK_F7 ? "Set View" : functionKey == VK_F8 ? "Command" : "COMMAND";
}

// Opens the dialog of a function key as the key receiver gets it, or nullptr.
// Any other box found instead (a message the program showed) is the failure.
HWND openDialog(const VorbinProcess& vorbin, int functionKey, std::string& failure) {
    HWND receiver = GetDlgItem(vorbin.window(), IDC_KEY_RECEIVER);
    if (!receiver) {
        failure = "no key receiver";
        return nullptr;
    }
    PostMessageA(receiver, WM_KEYDOWN, functionKey, 1);
    HWND dialog = nullptr;
    waitUntil(
        [&] {
            std::vector<HWND> open = dialogsOf(vorbin.processId(), vorbin.window());
            dialog = open.empty() ? nullptr : open.front();
            return dialog != nullptr;
        },
        30000);
    if (!dialog) {
        failure = "no dialog for key " + std::to_string(functionKey);
    } else if (windowTitle(dialog) != expectedCaption(functionKey)) {
        failure = "key " + std::to_string(functionKey) + " found \"" + windowTitle(dialog) + "\": " +
                  windowTitle(GetDlgItem(dialog, 0xFFFF));  // a message box's text
        dialog = nullptr;
    }
    return dialog;
}

bool pressOk(HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return waitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 30000);
}

// The problems of a profile file as text: a line that is neither a section
// nor key=value nor a comment, or a section or key that appears twice.
std::vector<std::string> profileFaults(const std::string& text) {
    std::vector<std::string> faults;
    std::set<std::string> sections, keys;
    std::string section;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line;
            if (!sections.insert(section).second) faults.push_back("section twice: " + line);
        } else if (line.find('=') == std::string::npos) {
            faults.push_back("not key=value: " + line);
        } else if (!keys.insert(section + line.substr(0, line.find('='))).second) {
            faults.push_back("key twice: " + section + " " + line);
        }
    }
    return faults;
}

struct Writer {
    int instance = -1;
    int writes = 0;
    int lastNameLength = 0;
    std::set<std::string> editors;
    std::string failure;
};
}  // namespace

TEST(ManyInstances, EightInstancesAndPelkoSavingKeepEveryFileWhole) {
    const int seconds = runSeconds("VORBIN_STRESS_SECONDS", 45);
    const unsigned seed = runSeed();
    reportFigures("instances", "seed " + std::to_string(seed) + ", " + std::to_string(seconds) + " s");

    ProgramDirectory program;
    ASSERT_TRUE(CopyFileA((programDirectory() + "Pelko.exe").c_str(), (program / "Pelko.exe").c_str(),
                          FALSE));
    ASSERT_TRUE(writeKeyTable(program, {}));
    program.scratch().makeDirectory("shown");
    program.scratch().writeFile("shown\\a.txt", "a");
    setLastPath(program, program / "shown");

    std::vector<std::unique_ptr<VorbinProcess>> vorbins;
    for (int i = 0; i < Instances; ++i) {
        vorbins.push_back(std::make_unique<VorbinProcess>(program));
        ASSERT_TRUE(vorbins.back()->started());
        // One after the other, so each claims its number before the next starts.
        ASSERT_NE(vorbins.back()->waitForWindow(60000), nullptr) << "instance " << i;
    }

    // One writer alone first: what every later save of the tables must write again.
    for (int key : {VK_F8, VK_F9, VK_F7}) {
        std::string failure;
        HWND dialog = openDialog(*vorbins[0], key, failure);
        ASSERT_NE(dialog, nullptr) << failure;
        ASSERT_TRUE(pressOk(dialog));
    }
    const std::string keysBefore = readWholeFile(program / "KEY.TBL");
    const std::string coloursBefore = readWholeFile(program / "Color.tbl");
    ASSERT_FALSE(keysBefore.empty());
    ASSERT_FALSE(coloursBefore.empty());

    const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    auto running = [&] { return static_cast<LONG>(deadline - GetTickCount()) > 0; };
    std::vector<Writer> writers(Instances);
    std::vector<std::thread> threads;
    for (int i = 0; i < Instances; ++i) {
        threads.emplace_back([&, i] {
            Writer& w = writers[i];
            const VorbinProcess& vorbin = *vorbins[i];
            w.instance = instanceOf(vorbin.title());
            for (int round = 0; running() && w.failure.empty(); ++round) {
                const int key = round % 3 == 0 ? VK_F7 : round % 3 == 1 ? VK_F8 : VK_F9;
                HWND dialog = openDialog(vorbin, key, w.failure);
                if (!dialog) break;
                int nameLength = 0;
                std::string editor;
                if (key == VK_F7) {
                    nameLength = 10 + 10 * w.instance + round % 10;
                    editor = "ed-" + std::to_string(w.instance) + "-" + std::to_string(round) + ".exe";
                    SetDlgItemInt(dialog, IDC_VIEW_NAME_LENGTH, nameLength, FALSE);
                    SetDlgItemTextA(dialog, IDC_VIEW_EDITOR, editor.c_str());
                }
                if (!pressOk(dialog)) {
                    w.failure = "the dialog of key " + std::to_string(key) + " stayed open";
                    break;
                }
                ++w.writes;
                if (key == VK_F7) {
                    w.lastNameLength = nameLength;
                    w.editors.insert(editor);
                }
            }
        });
    }
    // Pelko writes its place each time it closes.
    int pelkoWrites = 0;
    std::string pelkoPlace, pelkoFailure;
    threads.emplace_back([&] {
        for (int round = 0; running(); ++round) {
            ChildProcess pelko(program / "Pelko.exe", "", program.path());
            HWND window = pelko.waitForWindow("[Pelko]", 60000);
            if (!window) {
                pelkoFailure = "Pelko showed no window";
                return;
            }
            const int x = 300 + round % 50, y = 200 + round % 7;
            MoveWindow(window, x, y, 400, 300, TRUE);
            PostMessageA(window, WM_CLOSE, 0, 0);
            if (!pelko.waitForExit(60000) || pelko.exitCode() != 0) {
                pelkoFailure = "Pelko did not end normally";
                return;
            }
            pelkoPlace = std::to_string(x) + "," + std::to_string(y) + ",400,300";
            ++pelkoWrites;
        }
    });
    for (std::thread& t : threads) t.join();

    std::string perInstance;
    for (const Writer& w : writers) {
        EXPECT_EQ(w.failure, "") << "instance " << w.instance;
        perInstance += (perInstance.empty() ? "" : ", ") + std::to_string(w.instance) + ": " +
                       std::to_string(w.writes);
    }
    EXPECT_EQ(pelkoFailure, "");
    reportFigures("instances", "dialog saves per instance " + perInstance + "; Pelko " +
                                   std::to_string(pelkoWrites));

    // Every instance lived through it and ends normally.
    for (auto& vorbin : vorbins) {
        EXPECT_EQ(WaitForSingleObject(vorbin->handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT))
            << vorbin->title() << " ended";
    }
    for (auto& vorbin : vorbins) PostMessageA(vorbin->window(), WM_CLOSE, 0, 0);
    for (auto& vorbin : vorbins) {
        const bool ended = vorbin->waitForExit(60000);
        std::string left;
        if (!ended) {
            // What kept it: a box it asked, or a dialog it never closed.
            for (HWND d : dialogsOf(vorbin->processId(), vorbin->window()))
                left += std::string(left.empty() ? "" : ", ") + "\"" + windowTitle(d) + "\"";
        }
        EXPECT_TRUE(ended) << "still open: " << (left.empty() ? "no dialog" : left);
        DWORD code = 1;
        GetExitCodeProcess(vorbin->handle(), &code);
        EXPECT_EQ(code, 0u);
    }

    const std::string text = readWholeFile(program / "Vorbin.ini");
    for (const std::string& fault : profileFaults(text)) ADD_FAILURE() << fault;
    std::set<std::string> editors;
    for (const Writer& w : writers) editors.insert(w.editors.begin(), w.editors.end());
    for (const Writer& w : writers) {
        if (w.lastNameLength == 0) continue;
        const std::string key =
            w.instance == 0 ? "FileNameLength" : "FileNameLength_" + std::to_string(w.instance);
        EXPECT_EQ(ini(program, "WINDOW", key), std::to_string(w.lastNameLength)) << key;
        const std::string place =
            ini(program, "WINDOW", w.instance == 0 ? "WindowPos" : "WindowPos_" + std::to_string(w.instance));
        int l, t, r, b;
        EXPECT_EQ(std::sscanf(place.c_str(), "%d,%d,%d,%d", &l, &t, &r, &b), 4) << place;
    }
    EXPECT_TRUE(editors.count(ini(program, "PATH", "Editor"))) << ini(program, "PATH", "Editor");
    if (pelkoWrites) {
        EXPECT_EQ(ini(program, "WINDOW", "PelkoPos"), pelkoPlace);
    }
    // The tables were written again and again with the same content.
    EXPECT_EQ(readWholeFile(program / "KEY.TBL"), keysBefore);
    EXPECT_EQ(readWholeFile(program / "Color.tbl"), coloursBefore);
    KeyMap keys;
    EXPECT_TRUE(keys.load(program / "KEY.TBL"));
    ExtTable colours;
    EXPECT_TRUE(colours.load(program / "Color.tbl"));
}
