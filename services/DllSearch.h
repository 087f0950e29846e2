// Library search without the current directory (Windows only). Libraries loaded
// by full path: fw::LoadSystemLibrary.
#ifndef PEMZ_SERVICES_DLLSEARCH_H
#define PEMZ_SERVICES_DLLSEARCH_H

namespace services {

// Removes the current directory from the search path of LoadLibrary, so that a
// library loaded by name (MAPI32.DLL) never comes from wherever the program was
// started; the program's own directory and the system directories stay. Call
// once at start-up, before any library is loaded by name. False when the system
// offers no way to do it.
bool RemoveCurrentDirectoryFromDllSearch();

}  // namespace services

#endif
