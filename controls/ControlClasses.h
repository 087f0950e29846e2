// The control library's window classes: registration, the bitmap loader and the
// disabled-look drawing that several controls share, and each class's window procedure.
#ifndef PEMZ_CONTROLS_CONTROLCLASSES_H
#define PEMZ_CONTROLS_CONTROLCLASSES_H

#include <windows.h>

#include "controls/WindowSlots.h"

namespace controls {

// Registers "PemzGroup", "PemzGrid", "PemzButton", "PemzBitmap", "PemzStopper" and
// "PemzLookup", in that order, for the program's own module. Returns the atom of the
// last registration (zero on failure); callers may ignore it.
ATOM RegisterControlClasses();

// A control's slot for the bitmap it owns, reached only through the control's accessors.
struct BitmapSlot {
    HBITMAP (*get)(HWND window);
    void (*set)(HWND window, HBITMAP bitmap);
};

// Loads bitmap resource LOWORD(id) (from the window's module, else from the program's),
// deletes the bitmap held in the slot, and stores and returns the new handle. Id 0, or an
// id found in neither module, leaves the slot empty.
HBITMAP LoadControlBitmap(HWND window, BitmapSlot slot, unsigned int id);

// Draws the width x height image at (sourceX, 0) of the source DC at (x, y) of the target,
// reduced to two colours: the button-face and button-highlight pixels in the face colour,
// every other pixel in the shadow colour. Leaves the target's text and background colours
// set to shadow and face.
void DrawDisabledBitmap(HDC target, int x, int y, HDC source, int sourceX, int width, int height);

// Extra window bytes that each class record reserves; each control checks its own layout
// against these.
// The key button's first 8 bytes are not used: its fields stay at the offsets its class
// has always had (8, 12 and 16 on 32-bit Windows), where code outside the program that
// reads a button's bytes would look for them.
constexpr int kKeyButtonReservedBytes = 8;
constexpr int kKeyButtonExtraBytes = kKeyButtonReservedBytes + 3 * kSlotBytes;
constexpr int kBitmapControlExtraBytes = kSlotBytes;

// Window procedures of the classes.
LRESULT CALLBACK KeyButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BitmapControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GridControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace controls

#endif
