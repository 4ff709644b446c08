#pragma once
// The numbers of "MESSAGE.tbl" the programs show.
constexpr int MessageInsideArchive = 1001;        // no file operation inside an archive
constexpr int MessageExtractFromArchive = 1002;   // files from an archive are extracted first
constexpr int MessageCopyFailed = 1010;
constexpr int MessageMoveFailed = 1011;
constexpr int MessageDeleteFailed = 1012;
constexpr int MessageRenameFailed = 1013;
constexpr int MessageMakeDirectoryFailed = 1014;
constexpr int MessageCreateFileFailed = 1015;
constexpr int MessageStartFailed = 1016;
constexpr int MessageWildcardDestination = 1017;
constexpr int MessageNameUnreachable = 1018;      // a name the code page cannot hold, no short name
constexpr int MessageSamePlace = 1019;
