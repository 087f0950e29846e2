// Typed access to the named slots of a control's extra window bytes.
#ifndef PEMZ_CONTROLS_WINDOWSLOTS_H
#define PEMZ_CONTROLS_WINDOWSLOTS_H

#include <windows.h>

#include <type_traits>

namespace controls {

// A slot holds a handle or a number and is pointer-sized: 4 bytes on 32-bit Windows,
// where the class records keep the byte layout they have always had, 8 on 64-bit Windows.
constexpr int kSlotBytes = sizeof(LONG_PTR);

template <class T>
T ReadSlot(HWND window, int offset) {
    const LONG_PTR value = GetWindowLongPtrA(window, offset);
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<T>(value);
    else
        return static_cast<T>(value);
}

template <class T>
void WriteSlot(HWND window, int offset, T value) {
    if constexpr (std::is_pointer_v<T>)
        SetWindowLongPtrA(window, offset, reinterpret_cast<LONG_PTR>(value));
    else
        SetWindowLongPtrA(window, offset, static_cast<LONG_PTR>(value));
}

}  // namespace controls

#endif
