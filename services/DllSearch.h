// Library search without the current directory (Windows only).
#ifndef PEMZ_SERVICES_DLLSEARCH_H
#define PEMZ_SERVICES_DLLSEARCH_H

#include "framework/UniqueHandle.h"

namespace services {

// Removes the current directory from the search path of LoadLibrary, so that a
// library loaded by name (MAPI32.DLL) never comes from wherever the program was
// started; the program's own directory and the system directories stay. Call
// once at start-up, before any library is loaded by name. False when the system
// offers no way to do it.
bool RemoveCurrentDirectoryFromDllSearch();

// A system library loaded when first needed rather than imported (which would load
// it at every start), by its full path in the system directory: a file of that
// name beside the program is never taken. Null when it cannot be loaded.
fw::UniqueLibrary LoadSystemLibrary(const char* name);

}  // namespace services

#endif
