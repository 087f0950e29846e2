// Current directory out of the library search path.
#include "services/DllSearch.h"

#include <windows.h>

namespace services {

bool RemoveCurrentDirectoryFromDllSearch() {
    // SetDllDirectoryA exists from Windows XP SP1 on; looked up so that the program
    // still starts where it does not. An empty text removes the current directory.
    using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCSTR);
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    if (!kernel) return false;
    const auto setDllDirectory = reinterpret_cast<SetDllDirectoryFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "SetDllDirectoryA")));
    return setDllDirectory && setDllDirectory("");
}

}  // namespace services
