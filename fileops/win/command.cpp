#include "fileops/win/command.h"

#include <cstring>

#include "base/win/clipboard.h"
#include "fileops/command_paths.h"
#include "panes/file_drop_block.h"

bool CCommand::PasteFromClipboard(const std::vector<std::string>& sources,
                                  const std::string& destination) {
    if (effect == 1) return Copy(sources, destination);
    if (effect == 2) return Move(sources, destination);
    return false;
}

void CCommand::SetEffectFromDropEffect(DWORD dropEffectBits) {
    effect = effectAfterDrop(effect, dropEffectBits);
}

bool CCommand::SetClipboard(const std::vector<std::string>& sources, bool isCut) {
    ClipboardSession clipboard(owner);
    if (!clipboard) return false;
    EmptyClipboard();
    std::vector<unsigned char> block = buildFileDropBlock(sources);
    const DWORD dropEffect = isCut ? 2 : 1;  // the drop-effect bits of move and copy
    bool ok = putOnClipboard(CF_HDROP, block.data(), block.size()) &&
              putOnClipboard(RegisterClipboardFormatA("Preferred DropEffect"), &dropEffect,
                             sizeof dropEffect);
    // Only a cut that really is on the clipboard may turn a later paste into a move.
    if (ok) effect = isCut ? 2 : 1;
    return ok;
}
