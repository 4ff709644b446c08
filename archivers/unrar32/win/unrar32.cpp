// UNRAR32.DLL: our library of the common archiver interface under the name hosts load.
#include "archivers/win/interface_dll.h"

ARC_DLL_EXPORTS(Unrar, arc::Library::Unrar, arc::Format::Rar)
