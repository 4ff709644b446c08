// Lintor as its users start it: with a quoted path and an instance number,
// with no arguments (the clipboard text goes to instance 0), with a path
// while the clipboard holds other text, and with no receiver at all.
#include <gtest/gtest.h>

#include "base/win/clipboard.h"
#include "e2e/child_process.h"
#include "e2e/vorbin_process.h"

namespace {
bool putClipboardText(const std::string& text) {
    OwnedWindow owner{CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr)};
    ClipboardSession session(owner.get());
    return session && EmptyClipboard() && putOnClipboard(CF_TEXT, text.c_str(), text.size() + 1);
}

// Runs Lintor with the arguments; true when it ended by itself with code 0.
bool runLintor(const ProgramDirectory& program, const std::string& arguments) {
    ChildProcess lintor(program / "Lintor.exe", arguments, program.path());
    return lintor.started() && lintor.waitForExit(15000) && lintor.exitCode() == 0;
}
}  // namespace

TEST(Lintor, HandsPathsFromArgumentsOrClipboardToTheNamedInstance) {
    ProgramDirectory program;
    ScratchDirectory tree{"vblintor"};
    // 表 and ソ end in the byte of the path separator.
    const std::string trailBytes = "\x95\x5c\x83\x5c";
    for (const std::string& name : {std::string("a b"), trailBytes, std::string("clip")})
        ASSERT_TRUE(tree.makeDirectory(name));
    setLastPath(program, tree.path());
    VorbinProcess first(program), second(program), third(program);
    for (VorbinProcess* vorbin : {&first, &second, &third}) ASSERT_TRUE(vorbin->waitForWindow());
    VorbinProcess* instance[3] = {};
    for (VorbinProcess* vorbin : {&first, &second, &third}) {
        const std::string title = vorbin->title();
        ASSERT_EQ(title.rfind("[Vorbin:", 0), 0u) << title;
        instance[title[8] - '0'] = vorbin;
    }
    ASSERT_TRUE(instance[0] && instance[1] && instance[2]);
    auto at = [](const VorbinProcess& vorbin, const std::string& path) {
        return waitUntil([&] { return vorbin.title().ends_with(") " + path); }, 5000);
    };
    ASSERT_TRUE(at(*instance[0], tree.path()));

    // A quoted path with a trail byte 0x5C before the closing quote, to 2.
    ASSERT_TRUE(runLintor(program, "\"" + tree / trailBytes + "\" 2"));
    EXPECT_TRUE(at(*instance[2], tree / trailBytes)) << instance[2]->title();
    EXPECT_TRUE(instance[0]->title().ends_with(") " + tree.path())) << instance[0]->title();
    EXPECT_TRUE(instance[1]->title().ends_with(") " + tree.path())) << instance[1]->title();

    // No arguments: the clipboard text, quotes and all, goes to instance 0.
    ASSERT_TRUE(putClipboardText("\"" + tree / "a b" + "\""));
    ASSERT_TRUE(runLintor(program, ""));
    EXPECT_TRUE(at(*instance[0], tree / "a b")) << instance[0]->title();

    // An argument beats the clipboard.
    ASSERT_TRUE(putClipboardText(tree / "a b"));
    ASSERT_TRUE(runLintor(program, tree / "clip"));
    EXPECT_TRUE(at(*instance[0], tree / "clip")) << instance[0]->title();

    // No instance 5: Lintor ends quietly and nobody moves.
    ASSERT_TRUE(runLintor(program, "\"" + tree.path() + "\" 5"));
    Sleep(300);
    EXPECT_TRUE(instance[0]->title().ends_with(") " + tree / "clip")) << instance[0]->title();
    EXPECT_TRUE(instance[1]->title().ends_with(") " + tree.path())) << instance[1]->title();
}
