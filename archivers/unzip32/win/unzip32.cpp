// UNZIP32.DLL: our library of the common archiver interface under the name hosts load.
#include "archivers/win/interface_dll.h"

ARC_DLL_EXPORTS(UnZip, arc::Library::UnZip, arc::Format::Zip)
