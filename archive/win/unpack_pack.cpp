#include "archive/win/unpack_pack.h"

#include "archive/archive_type.h"
#include "archive/win/archive_library.h"
#include "archive/win/archive_messages.h"
#include "archive/win/current_directory_scope.h"
#include "archive/win/pack_dialog.h"
#include "base/path.h"
#include "services/win/message_box.h"

bool unpackArchive(HWND owner, const std::string& archivePath, const std::string& directory) {
    const ArchiveType type = archiveTypeOf(archivePath);
    const CommandEntry entry = unpackEntryFor(type);
    if (!entry.libraryName) return false;
    {
        ArchiveLibrary reader;
        if (reader.Load(archivePath) && !goAheadDespiteClashes(owner, reader, {})) return false;
    }
    ArchiverResult result;
    {
        CurrentDirectoryScope inside(directory);
        result = runArchiverCommand(entry, owner, unpackCommandLine(type, archivePath));
    }
    if (result.ok()) return true;
    tellArchiveFailure(owner, MessageUnpackFailed, archivePath, result, entry.libraryName);
    return false;
}

std::string packItems(HWND owner, Settings& settings, const std::string& directory,
                      const std::vector<PackItem>& items) {
    PackChoice choice;
    if (items.empty() || !runPackDialog(owner, settings, choice)) return {};
    const ArchiveType type =
        choice.type != 0 ? static_cast<ArchiveType>(choice.type) : autoPackType(choice.name);
    if (type == ArchiveNone) {
        showMessage(owner, MessagePackTypeUnknown, choice.name);
        return {};
    }
    const CommandEntry entry = packEntryFor(type);
    ArchiverResult result;
    {
        CurrentDirectoryScope inside(directory);
        result = runArchiverCommand(entry, owner, packCommandLine(type, choice.name, items));
    }
    if (!result.ok()) {
        tellArchiveFailure(owner, MessagePackFailed, choice.name, result, entry.libraryName);
        return {};
    }
    std::string made;
    for (char c : lastComponent(choice.name))
        if (c != '"') made += c;
    return made;
}
