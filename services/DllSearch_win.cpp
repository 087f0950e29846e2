// Current directory out of the library search path.
#include "services/DllSearch.h"

#include <windows.h>

#include "framework/SystemLibrary.h"

namespace services {
namespace {

// Looked up at run time so that the program still starts on systems without them.
template <typename Function>
Function Kernel32Function(const char* name) {
    return fw::ProcAddress<Function>(::GetModuleHandleA("kernel32.dll"), name);
}

constexpr DWORD kSearchDefaultDirs = 0x00001000;  // LOAD_LIBRARY_SEARCH_DEFAULT_DIRS

}  // namespace

bool RemoveCurrentDirectoryFromDllSearch() {
    // Where it exists (Windows 8, Windows 7 with KB2533623, Wine), the default search
    // becomes: the program's directory, the system directory and added directories.
    // Wine keeps the current directory after SetDllDirectoryA(""), but not after this.
    if (const auto setDefault = Kernel32Function<BOOL(WINAPI*)(DWORD)>("SetDefaultDllDirectories"))
        if (setDefault(kSearchDefaultDirs)) return true;
    // From Windows XP SP1 on, an empty DLL directory removes the current directory.
    const auto setDllDirectory = Kernel32Function<BOOL(WINAPI*)(LPCSTR)>("SetDllDirectoryA");
    return setDllDirectory && setDllDirectory("");
}

}  // namespace services
