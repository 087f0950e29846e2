// The running program's path, read wide and handed to the ANSI functions only in a form
// that names the same file.
#include "framework/ModulePath.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "framework/GrowingBuffer.h"

namespace fw {
namespace {

// Wide texts live in vectors: std::wstring's code comes precompiled from libstdc++,
// with the exception machinery the program is built without (40 KB).
using WideText = std::vector<wchar_t>;

// The running executable's full path, without terminator; empty when it cannot be obtained.
WideText ModuleWidePath() {
    // A path that fills the buffer was cut: twice the room, up to the longest path there is.
    return ReadGrowing<wchar_t>(
               MAX_PATH,
               [](wchar_t* data, std::size_t capacity) -> std::optional<std::size_t> {
                   const DWORD length = ::GetModuleFileNameW(nullptr, data, static_cast<DWORD>(capacity));
                   if (length == 0) return std::nullopt;
                   return length < capacity ? length : capacity * 2;
               },
               8)
        .value_or(WideText());
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
    // The answer counts the terminator when the buffer is too small, not when it fits.
    const auto shortPath =
        ReadGrowing<wchar_t>(path.size(), [&](wchar_t* data, std::size_t capacity) -> std::optional<std::size_t> {
            const DWORD length = ::GetShortPathNameW(path.data(), data, static_cast<DWORD>(capacity));
            if (length == 0) return std::nullopt;
            return length;
        });
    return shortPath ? ExactAnsiText(*shortPath).value_or(std::string()) : std::string();
}

std::string ModulePathWithExtension(const std::string& extension) {
    std::string path = ModulePath();
    const std::size_t dot = ExtensionStart(path);
    if (dot != std::string::npos) path.resize(dot);
    return path + extension;
}

}  // namespace fw
