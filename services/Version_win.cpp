// Product version of an executable's version resource.
#include "services/Version.h"

#include <windows.h>

#include <vector>

#include "framework/Application.h"

namespace services {

bool ReadProductVersion(ProductVersion& version, const std::string& path) {
    version = ProductVersion{};
    const std::string file = path.empty() ? fw::ModulePath() : path;
    if (file.empty()) return false;
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(file.c_str(), &handle);
    if (size == 0) return false;
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!::GetFileVersionInfoA(file.c_str(), 0, size, block.data()) ||
        !::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
        fixedSize < sizeof *fixed)
        return false;
    version = PackProductVersion(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    return true;
}

std::string FormatVersion(const std::string& prefix) {
    ProductVersion version;
    ReadProductVersion(version);
    return FormatVersion(version, prefix);
}

}  // namespace services
