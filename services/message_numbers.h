#pragma once
// The numbers of "MESSAGE.tbl" the programs show.
constexpr int MessageInsideArchive = 1001;       // no file operation inside an archive
constexpr int MessageExtractFromArchive = 1002;  // files from an archive are extracted first
