#include "commands/shipped_bindings.h"

#include <array>

#include "commands/key_codes.h"

namespace {

constexpr bool S = true, C = true, A = true, o = false;  // o: modifier not held

constexpr std::array<DefaultBinding, 31> Additions{{
    {vk::Delete, o, o, o, CmdDelete},
    {vk::Delete, S, o, o, CmdKillfile},
    {vk::Home, o, o, o, CmdCursorHead},
    {vk::End, o, o, o, CmdCursorTail},
    {vk::PageUp, o, o, o, CmdCursorTop},
    {vk::PageDown, o, o, o, CmdCursorBottom},
    {vk::F2, o, o, o, CmdRename},
    {vk::F3, o, o, o, CmdRefind},
    {vk::F3, S, o, o, CmdBackRefind},
    {vk::F4, o, o, o, CmdEdit},
    {vk::F5, o, o, o, CmdRefresh},
    {vk::EscapeMapped, o, o, o, CmdCancel},
    {vk::Enter, o, o, A, CmdFilePropaty},
    {'F', o, C, o, CmdFind},
    {'M', o, o, A, CmdFindMask},
    {'S', o, o, A, CmdSelFile},
    {'A', o, o, A, CmdAttribute},
    {'L', o, C, o, CmdCreateShortcut},
    {'N', o, C, o, CmdCreateFile},
    {'J', o, o, A, CmdJumpList},
    {'Q', o, C, o, CmdViewfile},
    {'0', o, o, A, CmdWinmove0},
    {'1', o, o, A, CmdWinmove1},
    {'2', o, o, A, CmdWinmove2},
    {'3', o, o, A, CmdWinmove3},
    {'4', o, o, A, CmdWinmove4},
    {'5', o, o, A, CmdWinmove5},
    {'6', o, o, A, CmdWinmove6},
    {'7', o, o, A, CmdWinmove7},
    {'8', o, o, A, CmdWinmove8},
    {'W', o, o, A, CmdMoveset},
}};

}  // namespace

std::span<const DefaultBinding> shippedAdditions() { return Additions; }

KeyMap shippedKeyMap() {
    KeyMap map;
    addBuiltInBindings(map);
    appendBindings(map, Additions);
    return map;
}
