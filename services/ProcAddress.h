// A library's function looked up by name, with the type the caller expects (Windows only).
#ifndef PEMZ_SERVICES_PROCADDRESS_H
#define PEMZ_SERVICES_PROCADDRESS_H

#include <windows.h>

namespace services {

// Null when the module is null or has no such export.
template <typename Function>
Function ProcAddress(HMODULE module, const char* name) {
    if (!module) return nullptr;
    // Through void(*)(): the one function pointer type that converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace services

#endif
