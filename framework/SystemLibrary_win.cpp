// System libraries by their full path.
#include "framework/SystemLibrary.h"

#include <string>

#include "framework/GrowingBuffer.h"

namespace fw {

UniqueLibrary LoadSystemLibrary(const char* name) {
    // The answer counts the terminator when the buffer is too small, not when it fits.
    const auto directory =
        ReadGrowing<char>(MAX_PATH, [](char* data, std::size_t capacity) -> std::optional<std::size_t> {
            const UINT length = ::GetSystemDirectoryA(data, static_cast<UINT>(capacity));
            if (length == 0) return std::nullopt;
            return length;
        });
    if (!directory) return UniqueLibrary();
    const std::string path = std::string(directory->begin(), directory->end()) + '\\' + name;
    return UniqueLibrary(::LoadLibraryA(path.c_str()));
}

}  // namespace fw
