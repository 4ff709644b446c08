#include "commands/default_bindings.h"

#include <array>

#include "commands/key_codes.h"

namespace {

constexpr bool S = true, C = true, A = true, o = false;  // o: modifier not held

constexpr std::array<DefaultBinding, 34> BuiltIn{{
    {vk::Up, S, o, o, CmdSelCursorUp},
    {vk::Down, S, o, o, CmdSelCursorDown},
    {vk::Left, S, o, o, CmdSelCursorLeft},
    {vk::Right, S, o, o, CmdSelCursorRight},
    {vk::Space, o, C, o, CmdAllselect},
    {'I', o, o, o, CmdInfo},
    {'E', o, C, o, CmdCursorUp},
    {'X', o, C, o, CmdCursorDown},
    {'S', o, C, o, CmdCursorLeft},
    {'D', o, C, o, CmdCursorRight},
    {'E', S, C, o, CmdSelCursorUp},
    {'S', S, C, o, CmdSelCursorLeft},
    {'D', S, C, o, CmdSelCursorRight},
    {'M', o, C, o, CmdReturn},
    {'H', o, C, o, CmdBack},
    {'R', o, o, o, CmdExecute},
    {'R', o, C, o, CmdInputexecute},
    {'C', o, o, o, CmdCopy},
    {'M', o, o, o, CmdMove},
    {'N', o, o, o, CmdRename},
    {'K', o, o, o, CmdMkdir},
    {'J', o, o, o, CmdJumpdir},
    {'S', o, o, o, CmdSort},
    {'P', o, o, o, CmdPack},
    {'U', o, o, o, CmdUnpack},
    {'C', o, C, o, CmdFilenameCopy},
    {'B', o, C, o, CmdDirnameCopy},
    {'E', o, o, A, CmdExplorer},
    {'Q', S, C, o, CmdLastpath},
    {'F', S, C, o, CmdFindfile},
    // The clipboard trio owns Shift+Ctrl+X; marking downwards keeps Shift+Down.
    {'C', S, C, o, CmdClipfileCopy},
    {'X', S, C, o, CmdClipfileCut},
    {'V', S, C, o, CmdClipfilePast},
    {'H', o, o, A, CmdHistory},
}};

constexpr std::array<DefaultBinding, 11> Forced{{
    {vk::Left, o, o, o, CmdCursorLeft},
    {vk::Right, o, o, o, CmdCursorRight},
    {vk::Up, o, o, o, CmdCursorUp},
    {vk::Down, o, o, o, CmdCursorDown},
    {vk::Space, o, o, o, CmdSelect},
    {vk::Enter, o, o, o, CmdReturn},
    {vk::Back, o, o, o, CmdBack},
    {vk::F1, o, o, o, CmdHelp},
    {vk::F7, o, o, o, CmdOutset},
    {vk::F8, o, o, o, CmdCommandSet},
    {vk::F9, o, o, o, CmdDlgCommand},
}};

}  // namespace

std::span<const DefaultBinding> builtInBindings() { return BuiltIn; }
std::span<const DefaultBinding> forcedBindings() { return Forced; }
