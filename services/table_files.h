#pragma once
// The names of the files kept beside the program.
inline constexpr char SettingsFile[] = "Vorbin.ini";
inline constexpr char MessageTableFile[] = "MESSAGE.tbl";
inline constexpr char KeyMapFile[] = "KEY.TBL";
inline constexpr char CommandLabelsFile[] = "Command.TBL";
inline constexpr char ColourTableFile[] = "Color.tbl";
inline constexpr char JumpTableFile[] = "JUMP.TBL";
inline constexpr char ExecuteTableFile[] = "EXECUTE.TBL";
inline constexpr char HistoryTableFile[] = "History.tbl";
inline constexpr char JumpListFile[] = "JUMPLST.tbl";
inline constexpr char ExecCommandFile[] = "ExecCmd.tbl";
