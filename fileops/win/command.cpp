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

namespace {
// Hands a copy of the bytes to the clipboard; the clipboard owns them after.
bool putOnClipboard(UINT format, const void* data, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return false;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, data, size);
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}
}  // namespace

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
