// A window's whole text, however long.
#ifndef PEMZ_FRAMEWORK_WINDOWTEXT_H
#define PEMZ_FRAMEWORK_WINDOWTEXT_H

#include <windows.h>

#include <string>

namespace fw {

inline std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace fw

#endif
