// ZIP32J.DLL: our library of the common archiver interface under the name hosts load.
#include "archivers/win/interface_dll.h"

ARC_DLL_EXPORTS(Zip, arc::Library::Zip, arc::Format::Zip)
