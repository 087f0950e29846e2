// A module's resource read in place.
#include "framework/ResourceBytes.h"

namespace fw {

ResourceBytes FindResourceBytes(HMODULE module, const char* name, const char* type) {
    const HRSRC found = ::FindResourceA(module, name, type);
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const unsigned char*>(data), ::SizeofResource(module, found)};
}

}  // namespace fw
