// The running program's path, read wide and handed to the ANSI functions only in a form
// that names the same file.
#include "framework/ModulePath.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace fw {
namespace {

// Wide texts live in vectors: std::wstring's code comes precompiled from libstdc++,
// with the exception machinery the program is built without (40 KB).
using WideText = std::vector<wchar_t>;

// The running executable's full path, without terminator; empty when it cannot be obtained.
WideText ModuleWidePath() {
    WideText path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
}

// The text in the ANSI code page, or nothing when a character has no exact form there.
std::optional<std::string> ExactAnsiText(const WideText& text) {
    if (text.empty()) return std::string();
    const int length = static_cast<int>(text.size());
    // Without WC_NO_BEST_FIT_CHARS "Ł" would become "L": a different, possibly existing, folder.
    const int size =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(size), '\0');
    BOOL usedDefault = FALSE;
    if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, ansi.data(), size, nullptr,
                              &usedDefault) != size ||
        usedDefault)
        return std::nullopt;
    return ansi;
}


std::size_t FileNameStart(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

// Position of the extension's dot in the file name, or npos.
std::size_t ExtensionStart(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    return dot != std::string::npos && dot >= FileNameStart(path) ? dot : std::string::npos;
}

}  // namespace

std::string ExecutableBaseName() {
    const std::string path = ModulePath();
    const std::size_t start = FileNameStart(path);
    const std::size_t dot = ExtensionStart(path);
    return path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
}

std::string ModulePath() {
    WideText path = ModuleWidePath();
    if (path.empty()) return {};
    if (std::optional<std::string> ansi = ExactAnsiText(path)) return *ansi;
    // The 8.3 form is plain ASCII wherever the volume keeps short names.
    path.push_back(L'\0');
    WideText shortPath(path.size());
    for (;;) {
        const DWORD length = ::GetShortPathNameW(path.data(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
        if (length == 0) return {};
        if (length < shortPath.size()) {
            shortPath.resize(length);
            break;
        }
        shortPath.resize(length);  // the answer counts the terminator
    }
    return ExactAnsiText(shortPath).value_or(std::string());
}

std::string ModulePathWithExtension(const std::string& extension) {
    std::string path = ModulePath();
    const std::size_t dot = ExtensionStart(path);
    if (dot != std::string::npos) path.resize(dot);
    return path + extension;
}

}  // namespace fw
