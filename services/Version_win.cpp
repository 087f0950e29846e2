// Product version of an executable's version resource.
#include "services/Version.h"

#include <windows.h>

#include <vector>

#include "framework/ResourceBytes.h"
#include "framework/SystemLibrary.h"

namespace services {

namespace {

// The module's own resource: no path, so a folder name without an ANSI form cannot lose it.
bool ReadOwnProductVersion(ProductVersion& version) {
    const fw::ResourceBytes resource =
        fw::FindResourceBytes(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    const std::optional<ProductVersion> read = ProductVersionOfResource(resource.data, resource.size);
    if (!read) return false;
    version = *read;
    return true;
}

}  // namespace

bool ReadProductVersion(ProductVersion& version, const std::string& path) {
    version = ProductVersion{};
    if (path.empty()) return ReadOwnProductVersion(version);
    // Only the about box asks, so the library is not loaded at every start.
    const fw::UniqueLibrary library = fw::LoadSystemLibrary("version.dll");
    const auto getSize = fw::ProcAddress<DWORD(WINAPI*)(LPCSTR, LPDWORD)>(library.get(), "GetFileVersionInfoSizeA");
    const auto getInfo =
        fw::ProcAddress<BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID)>(library.get(), "GetFileVersionInfoA");
    const auto queryValue =
        fw::ProcAddress<BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT)>(library.get(), "VerQueryValueA");
    if (!getSize || !getInfo || !queryValue) return false;
    DWORD handle = 0;
    const DWORD size = getSize(path.c_str(), &handle);
    if (size == 0) return false;
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!getInfo(path.c_str(), 0, size, block.data()) ||
        !queryValue(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
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
