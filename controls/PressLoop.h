// A press of one of the library's buttons, from the mouse button (or key) going down to its
// release: the window holds the capture and a local loop takes every message of the thread.
#ifndef PEMZ_CONTROLS_PRESSLOOP_H
#define PEMZ_CONTROLS_PRESSLOOP_H

#include <windows.h>

namespace controls {

// What the loop does while the thread's queue is empty.
enum class PressWait {
    // Peek again at once, never block: the key button's press, whose every state change is
    // drawn at once, must never keep its thread waiting.
    Poll,
    // Sleep until input arrives: the lookup's drop button, which draws nothing in between.
    // The bound makes the loop look at its pressed mark again even if nothing arrives.
    Sleep,
};

// The press's mark on its window: set while the loop runs, cleared by the window's
// WM_CAPTURECHANGED (PressEnded), as Wine's own buttons clear their pressed bit.
constexpr const char* kPressProperty = "PemzPress";

// For the window procedures' WM_CAPTURECHANGED: the press, if any, is over.
inline void PressEnded(HWND window) { RemovePropA(window, kPressProperty); }

// Runs a press on `window`: the capture taken, then `first` (when given) and every further
// message of the thread handed to `step`, which handles or dispatches it and answers
// whether the press goes on. True when `step` ended the press; false when it was cancelled:
// the window destroyed, the capture lost, or WM_QUIT (posted again for the thread's own
// loop). The capture is released either way.
template <class Step>
bool RunPress(HWND window, PressWait wait, const MSG* first, Step step) {
    SetPropA(window, kPressProperty, reinterpret_cast<HANDLE>(1));
    SetCapture(window);
    const auto pressed = [&] { return IsWindow(window) && GetPropA(window, kPressProperty) != nullptr; };
    bool ended = false;
    MSG message{};
    if (first) {
        message = *first;
        ended = !step(message);
    }
    while (!ended && pressed()) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (wait == PressWait::Sleep) MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        ended = !step(message);
    }
    if (IsWindow(window)) {
        PressEnded(window);
        if (GetCapture() == window) ReleaseCapture();
    }
    return ended;
}

}  // namespace controls

#endif
