#include "commands/dispatch.h"

#include <gtest/gtest.h>

#include <utility>

#include "commands/key_codes.h"

namespace {

class FakeHost : public CommandHost {
public:
    ListingState state{5, false};
    int cursorIndex = 2;
    std::vector<int> marked;
    std::vector<std::string> answers;  // one per prompt; running out means Cancel
    bool handlerEmptiesListing = false;

    std::vector<CommandCall> calls;
    std::vector<std::pair<std::string, int>> lines;
    std::vector<int> prompts;
    std::vector<char> jumps;
    int menus = 0;
    std::string series;  // "(" and ")" around each run over the marked entries

    ListingState listing() const override { return state; }
    int cursor() const override { return cursorIndex; }
    void setCursor(int index) override { cursorIndex = index; }
    std::vector<int> markedEntries() const override { return marked; }
    void runCommand(const CommandCall& call) override {
        calls.push_back(call);
        if (handlerEmptiesListing) state.entryCount = 0;
    }
    bool runCommandLine(const std::string& line, int target) override {
        lines.emplace_back(line, target);
        return target != 99;
    }
    bool askParameter(int counter, std::string& text) override {
        prompts.push_back(counter);
        if (prompts.size() > answers.size()) return false;
        text = answers[prompts.size() - 1];
        return true;
    }
    void jumpToLetter(char c) override { jumps.push_back(c); }
    void beginCommandRun() override { series += "("; }
    void endCommandRun() override { series += ")"; }
    void openCommandMenu() override { ++menus; }

    std::vector<CommandId> ran() const {
        std::vector<CommandId> ids;
        for (const CommandCall& c : calls) ids.push_back(c.id);
        return ids;
    }
};

KeyEvent key(int code, bool shift = false, bool ctrl = false, bool alt = false) {
    return KeyEvent{code, shift, ctrl, alt, alt};
}

KeyBinding lineBinding(std::string parameter) {
    return KeyBinding{'Z', false, false, false, 0, std::move(parameter)};
}

using Ids = std::vector<CommandId>;

}  // namespace

TEST(DispatchGates, EmptyListingRunsOnlyItsCommandsAndPutsTheCursorAtZero) {
    FakeHost host;
    host.state.entryCount = 0;
    host.cursorIndex = 7;
    EXPECT_TRUE(dispatch(CmdMkdir, host));
    EXPECT_EQ(host.cursorIndex, 0);
    host.cursorIndex = 7;
    EXPECT_FALSE(dispatch(CmdDelete, host));
    EXPECT_EQ(host.cursorIndex, 0);
    EXPECT_FALSE(dispatch(CmdCursorDown, host));
    EXPECT_TRUE(dispatch(CmdWinmove3, host));
    EXPECT_EQ(host.ran(), (Ids{CmdMkdir, CmdWinmove3}));
    EXPECT_EQ(refusalFor(CmdDelete, host.state), Refusal::EmptyListing);

    FakeHost emptied;
    emptied.handlerEmptiesListing = true;
    EXPECT_TRUE(dispatch(CmdDelete, emptied));
    EXPECT_EQ(emptied.cursorIndex, 0);
}

TEST(DispatchGates, FtpListingRefusesPackUnpackAndAttributes) {
    FakeHost host;
    host.state.ftp = true;
    for (CommandId id : Ids{CmdPack, CmdUnpack, CmdAttribute}) EXPECT_FALSE(dispatch(id, host));
    EXPECT_TRUE(dispatch(CmdCopy, host));
    EXPECT_EQ(host.ran(), (Ids{CmdCopy}));
    EXPECT_EQ(host.cursorIndex, 2);
    host.state.entryCount = 0;
    EXPECT_EQ(refusalFor(CmdUnpack, host.state), Refusal::FtpListing);
    EXPECT_EQ(refusalFor(CmdUnpack, ListingState{0, false}), Refusal::None);
}

TEST(DispatchGates, NumbersWithoutAHandlerDoNothing) {
    FakeHost host;
    for (CommandId id : Ids{CmdHelp, CmdKeyexecute, CmdNone, 32768, 32858}) {
        EXPECT_FALSE(dispatch(id, host)) << id;
    }
    EXPECT_TRUE(host.calls.empty());
}

TEST(DispatchCalls, HandlersGetTheirArguments) {
    EXPECT_TRUE(commandCall(CmdDelete).toRecycleBin);
    EXPECT_FALSE(commandCall(CmdKillfile).toRecycleBin);
    EXPECT_EQ(commandCall(CmdBackRefind).findStep, -1);
    EXPECT_EQ(commandCall(CmdVorbinAct2).instance, 2);
    EXPECT_EQ(commandCall(CmdWinmove8).windowPosition, 8);
    EXPECT_EQ(commandCall(CmdViewUp).viewDy, 1);
    EXPECT_EQ(commandCall(CmdViewLeft).viewDx, -1);
    EXPECT_EQ(commandCall(CmdMoveset).windowPosition, -1);
}

TEST(DispatchKeys, EscapeRunsTheBindingOfKey25) {
    KeyMap map({KeyBinding{vk::EscapeMapped, false, false, false, CmdCancel, {}}});
    FakeHost host;
    EXPECT_TRUE(handleKey(key(vk::Escape), map, host));
    EXPECT_TRUE(handleKey(key(vk::EscapeMapped), map, host));
    EXPECT_EQ(host.ran(), (Ids{CmdCancel, CmdCancel}));
    EXPECT_EQ(keyForMap(vk::Escape, true), vk::Escape);
}

TEST(DispatchKeys, ApplicationKeyOpensTheMenuAndBareCtrlDoesNothing) {
    KeyMap map({KeyBinding{vk::Apps, false, false, false, CmdCopy, {}},
                KeyBinding{vk::Control, false, true, false, CmdMove, {}}});
    FakeHost host;
    handleKey(key(vk::Apps), map, host);
    handleKey(KeyEvent{vk::Control, false, true, false, false}, map, host);
    EXPECT_EQ(host.menus, 1);
    EXPECT_TRUE(host.calls.empty());
    handleKey(KeyEvent{vk::Apps, false, false, false, true}, map, host);  // through Alt
    EXPECT_EQ(host.ran(), (Ids{CmdCopy}));
}

TEST(DispatchKeys, BuiltInMapOnAnFtpListing) {
    KeyMap map;
    addBuiltInBindings(map);
    applyForcedBindings(map);
    FakeHost host;
    host.state.ftp = true;
    EXPECT_FALSE(handleKey(key('P'), map, host));
    EXPECT_TRUE(handleKey(key('C'), map, host));
    EXPECT_TRUE(handleKey(key('E', false, true), map, host));
    EXPECT_EQ(host.ran(), (Ids{CmdCopy, CmdCursorUp}));
    EXPECT_TRUE(host.jumps.empty());
}

TEST(DispatchKeys, UnboundKeysJumpToTheCharacterTheyType) {
    KeyMap map({KeyBinding{'C', false, false, false, CmdCopy, {}}});
    const std::pair<KeyEvent, char> cases[] = {
        {key('Q'), 'Q'},           {key('Q', true), 'Q'},       {key('1', true), '!'},
        {key(vk::OemComma), ','},  {key(vk::OemYen, true), '|'}, {key(vk::Numpad0 + 5), '5'},
        {key(vk::Space), ' '},     {key(vk::F2), 0},             {key(vk::F12), 0},
        {key(vk::PageDown), 0},    {key(vk::Delete), 0},         {key(vk::Home), 0},
        {key('0', true), 0},       {key(vk::OemSlash, true), 0}, {key('Q', false, true), 0},
        {key('Q', false, false, true), 0},
    };
    for (const auto& [event, expected] : cases) {
        FakeHost host;
        EXPECT_FALSE(handleKey(event, map, host));
        EXPECT_EQ(host.jumps, expected ? std::vector<char>{expected} : std::vector<char>{})
            << "key " << event.key << " shift " << event.shift;
        EXPECT_TRUE(host.calls.empty());
    }
    FakeHost empty;
    empty.state.entryCount = 0;
    handleKey(key('Q'), map, empty);
    EXPECT_TRUE(empty.jumps.empty());
}

TEST(DispatchLines, EachPromptIsAskedInTurnAndCancelRunsNothing) {
    FakeHost host;
    host.answers = {"one", "$P two"};
    EXPECT_FALSE(runBinding(lineBinding("tool.exe $P,$P -x $P"), key('Z'), host));
    EXPECT_EQ(host.prompts, (std::vector<int>{1, 2, 3}));  // the typed "$P" is not asked
    EXPECT_TRUE(host.lines.empty());

    FakeHost answered;
    answered.answers = {"one", "$P two"};
    EXPECT_TRUE(runBinding(lineBinding("tool.exe $P,$P"), key('Z'), answered));
    EXPECT_EQ(answered.prompts, (std::vector<int>{1, 2}));
    ASSERT_EQ(answered.lines.size(), 1u);
    EXPECT_EQ(answered.lines[0], std::pair(std::string("tool.exe one,$P two"), 2));
}

TEST(DispatchLines, TargetMacrosRunOncePerMarkedEntry) {
    FakeHost host;
    host.marked = {0, 3, 4};
    EXPECT_TRUE(runBinding(lineBinding("conv.exe,$M.bak"), key('Z'), host));
    using Runs = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(host.lines,
              (Runs{{"conv.exe,$M.bak", 0}, {"conv.exe,$M.bak", 3}, {"conv.exe,$M.bak", 4}}));
    EXPECT_EQ(host.series, "()");  // one series, so the host can hold the entries still

    host.lines.clear();
    host.marked = {1, 99};
    EXPECT_FALSE(runBinding(lineBinding("x $t"), key('Z'), host));  // the last run decides
    EXPECT_EQ(host.lines.size(), 2u);

    host.lines.clear();
    // "$N" names the target too, but only these four make a run per entry.
    EXPECT_TRUE(runBinding(lineBinding("viewer.exe $N"), key('Z'), host));
    host.marked.clear();
    EXPECT_TRUE(runBinding(lineBinding("conv.exe,$T"), key('Z'), host));
    EXPECT_EQ(host.lines, (Runs{{"viewer.exe $N", 2}, {"conv.exe,$T", 2}}));
    for (const char* line : {"$t", "$T", "$M", "$m"}) EXPECT_TRUE(runsPerMarkedEntry(line));
    for (const char* line : {"$N", "$n", "$F", "$G", "M", ""}) {
        EXPECT_FALSE(runsPerMarkedEntry(line));
    }
}

TEST(DispatchLines, ACommandNameAsTheLineIsThatCommand) {
    FakeHost host;
    host.state.entryCount = 0;
    EXPECT_TRUE(runBinding(lineBinding("CMD_MKDIR"), key('Z'), host));
    EXPECT_FALSE(runBinding(lineBinding("CMD_DELETE"), key('Z'), host));
    // Texts chosen in the dialogs follow the same rules.
    EXPECT_TRUE(runCommandText("CMD_CREATE_FILE", host));
    EXPECT_EQ(host.ran(), (Ids{CmdMkdir, CmdCreateFile}));
    EXPECT_TRUE(host.lines.empty());
}

TEST(DispatchSteps, WheelAndInfoWindowStepTheCursor) {
    FakeHost host;
    EXPECT_TRUE(cursorStep(120, 0, host));
    EXPECT_TRUE(cursorStep(-120, 0, host));
    EXPECT_TRUE(cursorStep(0, 1, host));
    EXPECT_TRUE(cursorStep(0, -1, host));
    EXPECT_FALSE(cursorStep(0, 0, host));
    EXPECT_EQ(host.ran(), (Ids{CmdCursorUp, CmdCursorDown, CmdCursorLeft, CmdCursorRight}));
    host.state.entryCount = 0;
    EXPECT_FALSE(cursorStep(-120, 0, host));
}
