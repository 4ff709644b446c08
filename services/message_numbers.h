#pragma once
// The numbers of "MESSAGE.tbl" the programs show.
constexpr int MessageInsideArchive = 1001;        // no file operation inside an archive
constexpr int MessageExtractFromArchive = 1002;   // files from an archive are extracted first
constexpr int MessagePackTypeUnknown = 1003;      // archive name
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
// Archives: what the archiver libraries could not do.
constexpr int MessageUnpackFailed = 1020;         // archive, the library's result code
constexpr int MessagePackFailed = 1021;           // archive, the library's result code
constexpr int MessageArchiveEntryFailed = 1022;   // entry, the library's result code
constexpr int MessageArchiverMissing = 1023;      // library file name
constexpr int MessageArchiveUnreadable = 1024;    // archive
constexpr int MessageArchiveMethod = 1025;        // entry or archive: a method the library lacks
constexpr int MessageArchiveExists = 1026;        // archive that packing would have replaced
constexpr int MessageArchiveNamesClash = 1027;    // names of members that land on one file; Yes goes on
// Settings and tables that could not be written.
constexpr int MessageSettingsNotSaved = 1030;     // the settings file
constexpr int MessageTableNotSaved = 1031;        // the table file
