#pragma once
// The PACK dialog (141): the new archive's name and its type, Auto or one of
// the four whose packing library is there.
#include <windows.h>

#include <string>

#include "archive/archive_type.h"
#include "services/settings.h"

struct PackChoice {
    std::string name;
    int type = 0;  // 0 Auto, else ArchiveLzh..ArchiveTar
};

// The type last chosen, from section "ARCHIVE" key "Type" (0 to 4, else 0).
int storedPackType(Settings& settings);

// True with a name on OK; the type chosen is stored then. Cancel or an
// empty name: false.
bool runPackDialog(HWND owner, Settings& settings, PackChoice& choice);
