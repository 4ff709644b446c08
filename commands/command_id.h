#pragma once
// The vocabulary of pane commands: names as the table files store them,
// numbers as the dispatcher switches on them.
#include <cstdint>
#include <string>
#include <string_view>

using CommandId = int32_t;

// One enumerator per command: "CMD_SEL_CURSOR_UP" is CmdSelCursorUp, each
// "_"-separated part capitalised. The numbers are consecutive and fixed.
enum CommandNumber : CommandId {
    CmdNone = 0,
    CmdCursorUp = 32769,
    CmdCursorLeft = 32770,
    CmdCursorRight = 32771,
    CmdCursorDown = 32772,
    CmdSelCursorUp = 32773,
    CmdSelCursorLeft = 32774,
    CmdSelCursorRight = 32775,
    CmdSelCursorDown = 32776,
    CmdSelect = 32777,
    CmdReturn = 32778,
    CmdBack = 32779,
    CmdInfo = 32780,
    CmdKeyexecute = 32781,
    CmdMkdir = 32782,
    CmdJumpdir = 32783,
    CmdSort = 32784,
    CmdOutset = 32785,
    CmdPack = 32786,
    CmdUnpack = 32787,
    CmdDelete = 32788,
    CmdCopy = 32789,
    CmdMove = 32790,
    CmdRename = 32791,
    CmdEdit = 32792,
    CmdLogdisk = 32793,
    CmdExecute = 32794,
    CmdInputexecute = 32795,
    CmdFilenameCopy = 32796,
    CmdDirnameCopy = 32797,
    CmdDlgCommand = 32798,
    CmdCommandSet = 32799,
    CmdExplorer = 32800,
    CmdAllselect = 32801,
    CmdLastpath = 32802,
    CmdFindfile = 32803,
    CmdClipfileCopy = 32804,
    CmdClipfilePast = 32805,
    CmdClipfileCut = 32806,
    CmdCursorHead = 32807,
    CmdCursorTail = 32808,
    CmdAttribute = 32809,
    CmdRefresh = 32810,
    CmdViewfile = 32811,
    CmdConnectNetdrv = 32812,
    CmdDconnectNetdrv = 32813,
    CmdHistory = 32814,
    CmdFilenameCopy2 = 32815,
    CmdExit = 32816,
    CmdCreateShortcut = 32817,
    CmdFilePropaty = 32818,
    CmdHistoryUp = 32819,
    CmdHistoryDown = 32820,
    CmdFind = 32821,
    CmdRefind = 32822,
    CmdCopySelfilename = 32823,
    CmdSelFile = 32824,
    CmdCancel = 32825,
    CmdAllselect2 = 32826,
    CmdClipselect = 32827,
    CmdHelp = 32828,
    CmdCursorTop = 32829,
    CmdCursorBottom = 32830,
    CmdViewUp = 32831,
    CmdViewDown = 32832,
    CmdKillfile = 32833,
    CmdVorbinAct0 = 32834,
    CmdVorbinAct1 = 32835,
    CmdVorbinAct2 = 32836,
    CmdCreateFile = 32837,
    CmdViewLeft = 32838,
    CmdViewRight = 32839,
    CmdFilenameCopyf = 32840,
    CmdSwTime = 32841,
    CmdSwSize = 32842,
    CmdSwAuto = 32843,
    CmdMoveset = 32844,
    CmdWinmove0 = 32845,
    CmdWinmove1 = 32846,
    CmdWinmove2 = 32847,
    CmdWinmove3 = 32848,
    CmdWinmove4 = 32849,
    CmdWinmove5 = 32850,
    CmdWinmove6 = 32851,
    CmdWinmove7 = 32852,
    CmdWinmove8 = 32853,
    CmdBackRefind = 32854,
    CmdFindMask = 32855,
    CmdJumpList = 32856,
    CmdChangeFtpuser = 32857,
};

constexpr CommandId FirstCommand = CmdCursorUp;
constexpr CommandId LastCommand = CmdChangeFtpuser;
constexpr int CommandCount = LastCommand - FirstCommand + 1;

inline bool isCommand(CommandId id) { return id >= FirstCommand && id <= LastCommand; }

// Exact, case-sensitive; 0 for any other text, "CMD_NONE" and "" included.
CommandId CommandIdFromName(std::string_view name);
// "CMD_NONE" for every number outside the table, 0 included.
std::string CommandNameFromId(CommandId id);

// Whether the command still runs while the listing has no entries.
bool runsOnEmptyListing(CommandId id);
// Pack, unpack and attributes have no meaning on an FTP server.
bool refusedOnFtp(CommandId id);
