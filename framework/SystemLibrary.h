// System libraries loaded when first needed, and their functions looked up by name.
#ifndef PEMZ_FRAMEWORK_SYSTEMLIBRARY_H
#define PEMZ_FRAMEWORK_SYSTEMLIBRARY_H

#include <windows.h>

#include "framework/UniqueHandle.h"

namespace fw {

// A system library loaded when first needed rather than imported (which would load
// it at every start), by its full path in the system directory: a file of that
// name beside the program is never taken. Null when it cannot be loaded.
UniqueLibrary LoadSystemLibrary(const char* name);

// Null when the module is null or has no such export.
template <typename Function>
Function ProcAddress(HMODULE module, const char* name) {
    if (!module) return nullptr;
    // Through void(*)(): the one function pointer type that converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace fw

#endif
