// A module's resource read in place.
#ifndef PEMZ_FRAMEWORK_RESOURCEBYTES_H
#define PEMZ_FRAMEWORK_RESOURCEBYTES_H

#include <windows.h>

#include <cstddef>

namespace fw {

// The bytes as the module holds them: no copy, valid while the module is loaded.
struct ResourceBytes {
    const unsigned char* data = nullptr;  // null when there is no such resource
    std::size_t size = 0;
};

ResourceBytes FindResourceBytes(HMODULE module, const char* name, const char* type);

}  // namespace fw

#endif
