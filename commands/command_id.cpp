#include "commands/command_id.h"

#include <array>

namespace {

struct CommandInfo {
    CommandId id;
    const char* name;
    bool emptyList;
    bool notOnFtp;
};

constexpr std::array<CommandInfo, CommandCount> Commands{{
    {CmdCursorUp, "CMD_CURSOR_UP", false, false},
    {CmdCursorLeft, "CMD_CURSOR_LEFT", false, false},
    {CmdCursorRight, "CMD_CURSOR_RIGHT", false, false},
    {CmdCursorDown, "CMD_CURSOR_DOWN", false, false},
    {CmdSelCursorUp, "CMD_SEL_CURSOR_UP", false, false},
    {CmdSelCursorLeft, "CMD_SEL_CURSOR_LEFT", false, false},
    {CmdSelCursorRight, "CMD_SEL_CURSOR_RIGHT", false, false},
    {CmdSelCursorDown, "CMD_SEL_CURSOR_DOWN", false, false},
    {CmdSelect, "CMD_SELECT", true, false},
    {CmdReturn, "CMD_RETURN", false, false},
    {CmdBack, "CMD_BACK", false, false},
    {CmdInfo, "CMD_INFO", false, false},
    {CmdKeyexecute, "CMD_KEYEXECUTE", false, false},
    {CmdMkdir, "CMD_MKDIR", true, false},
    {CmdJumpdir, "CMD_JUMPDIR", true, false},
    {CmdSort, "CMD_SORT", false, false},
    {CmdOutset, "CMD_OUTSET", true, false},
    {CmdPack, "CMD_PACK", false, true},
    {CmdUnpack, "CMD_UNPACK", true, true},
    {CmdDelete, "CMD_DELETE", false, false},
    {CmdCopy, "CMD_COPY", true, false},
    {CmdMove, "CMD_MOVE", true, false},
    {CmdRename, "CMD_RENAME", false, false},
    {CmdEdit, "CMD_EDIT", false, false},
    {CmdLogdisk, "CMD_LOGDISK", true, false},
    {CmdExecute, "CMD_EXECUTE", false, false},
    {CmdInputexecute, "CMD_INPUTEXECUTE", false, false},
    {CmdFilenameCopy, "CMD_FILENAME_COPY", false, false},
    {CmdDirnameCopy, "CMD_DIRNAME_COPY", true, false},
    {CmdDlgCommand, "CMD_DLG_COMMAND", true, false},
    {CmdCommandSet, "CMD_COMMAND_SET", true, false},
    {CmdExplorer, "CMD_EXPLORER", true, false},
    {CmdAllselect, "CMD_ALLSELECT", false, false},
    {CmdLastpath, "CMD_LASTPATH", true, false},
    {CmdFindfile, "CMD_FINDFILE", false, false},
    {CmdClipfileCopy, "CMD_CLIPFILE_COPY", true, false},
    {CmdClipfilePast, "CMD_CLIPFILE_PAST", true, false},
    {CmdClipfileCut, "CMD_CLIPFILE_CUT", true, false},
    {CmdCursorHead, "CMD_CURSOR_HEAD", true, false},
    {CmdCursorTail, "CMD_CURSOR_TAIL", true, false},
    {CmdAttribute, "CMD_ATTRIBUTE", true, true},
    {CmdRefresh, "CMD_REFRESH", true, false},
    {CmdViewfile, "CMD_VIEWFILE", true, false},
    {CmdConnectNetdrv, "CMD_CONNECT_NETDRV", true, false},
    {CmdDconnectNetdrv, "CMD_DCONNECT_NETDRV", true, false},
    {CmdHistory, "CMD_HISTORY", true, false},
    {CmdFilenameCopy2, "CMD_FILENAME_COPY2", false, false},
    {CmdExit, "CMD_EXIT", true, false},
    {CmdCreateShortcut, "CMD_CREATE_SHORTCUT", false, false},
    {CmdFilePropaty, "CMD_FILE_PROPATY", false, false},
    {CmdHistoryUp, "CMD_HISTORY_UP", true, false},
    {CmdHistoryDown, "CMD_HISTORY_DOWN", true, false},
    {CmdFind, "CMD_FIND", false, false},
    {CmdRefind, "CMD_REFIND", false, false},
    {CmdCopySelfilename, "CMD_COPY_SELFILENAME", false, false},
    {CmdSelFile, "CMD_SEL_FILE", false, false},
    {CmdCancel, "CMD_CANCEL", false, false},
    {CmdAllselect2, "CMD_ALLSELECT2", false, false},
    {CmdClipselect, "CMD_CLIPSELECT", false, false},
    {CmdHelp, "CMD_HELP", false, false},
    {CmdCursorTop, "CMD_CURSOR_TOP", false, false},
    {CmdCursorBottom, "CMD_CURSOR_BOTTOM", false, false},
    {CmdViewUp, "CMD_VIEW_UP", true, false},
    {CmdViewDown, "CMD_VIEW_DOWN", true, false},
    {CmdKillfile, "CMD_KILLFILE", false, false},
    {CmdVorbinAct0, "CMD_VORBIN_ACT0", true, false},
    {CmdVorbinAct1, "CMD_VORBIN_ACT1", true, false},
    {CmdVorbinAct2, "CMD_VORBIN_ACT2", true, false},
    {CmdCreateFile, "CMD_CREATE_FILE", true, false},
    {CmdViewLeft, "CMD_VIEW_LEFT", true, false},
    {CmdViewRight, "CMD_VIEW_RIGHT", true, false},
    {CmdFilenameCopyf, "CMD_FILENAME_COPYF", true, false},
    {CmdSwTime, "CMD_SW_TIME", true, false},
    {CmdSwSize, "CMD_SW_SIZE", true, false},
    {CmdSwAuto, "CMD_SW_AUTO", true, false},
    {CmdMoveset, "CMD_MOVESET", true, false},
    {CmdWinmove0, "CMD_WINMOVE0", true, false},
    {CmdWinmove1, "CMD_WINMOVE1", true, false},
    {CmdWinmove2, "CMD_WINMOVE2", true, false},
    {CmdWinmove3, "CMD_WINMOVE3", true, false},
    {CmdWinmove4, "CMD_WINMOVE4", true, false},
    {CmdWinmove5, "CMD_WINMOVE5", true, false},
    {CmdWinmove6, "CMD_WINMOVE6", true, false},
    {CmdWinmove7, "CMD_WINMOVE7", true, false},
    {CmdWinmove8, "CMD_WINMOVE8", true, false},
    {CmdBackRefind, "CMD_BACK_REFIND", false, false},
    {CmdFindMask, "CMD_FIND_MASK", true, false},
    {CmdJumpList, "CMD_JUMP_LIST", true, false},
    {CmdChangeFtpuser, "CMD_CHANGE_FTPUSER", true, false},
}};

// The numbers are positions in the table; a slip in the list breaks the build.
constexpr bool numbersFollowTable() {
    for (std::size_t i = 0; i < Commands.size(); ++i) {
        if (Commands[i].id != FirstCommand + static_cast<CommandId>(i)) return false;
    }
    return true;
}
static_assert(numbersFollowTable());

const CommandInfo* find(CommandId id) {
    return isCommand(id) ? &Commands[static_cast<std::size_t>(id - FirstCommand)] : nullptr;
}

}  // namespace

CommandId CommandIdFromName(std::string_view name) {
    for (const CommandInfo& info : Commands) {
        if (name == info.name) return info.id;
    }
    return CmdNone;
}

std::string CommandNameFromId(CommandId id) {
    const CommandInfo* info = find(id);
    return info ? info->name : "CMD_NONE";
}

bool runsOnEmptyListing(CommandId id) {
    const CommandInfo* info = find(id);
    return info && info->emptyList;
}

bool refusedOnFtp(CommandId id) {
    const CommandInfo* info = find(id);
    return info && info->notOnFtp;
}
