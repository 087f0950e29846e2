// System libraries by their full path.
#include "framework/SystemLibrary.h"

#include <string>

namespace fw {

UniqueLibrary LoadSystemLibrary(const char* name) {
    std::string path(MAX_PATH, '\0');
    UINT length = ::GetSystemDirectoryA(path.data(), static_cast<UINT>(path.size()));
    if (length >= path.size()) {  // too small: the answer is the size needed
        path.assign(length, '\0');
        length = ::GetSystemDirectoryA(path.data(), static_cast<UINT>(path.size()));
    }
    if (length == 0 || length >= path.size()) return UniqueLibrary();
    path.resize(length);
    path += '\\';
    path += name;
    return UniqueLibrary(::LoadLibraryA(path.c_str()));
}

}  // namespace fw
