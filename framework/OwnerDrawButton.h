// An object attached to an owner-drawn button of a dialog: the dialog hands the button's
// WM_DRAWITEM to DrawItem. Detached when the object or the window goes.
#ifndef PEMZ_FRAMEWORK_OWNERDRAWBUTTON_H
#define PEMZ_FRAMEWORK_OWNERDRAWBUTTON_H

#include <windows.h>

namespace fw {

class Dialog;

class OwnerDrawButton {
public:
    OwnerDrawButton() = default;
    virtual ~OwnerDrawButton();
    OwnerDrawButton(const OwnerDrawButton&) = delete;
    OwnerDrawButton& operator=(const OwnerDrawButton&) = delete;

    // Takes over control `id` of `parent`'s window (subclassing it). False when there is no
    // such control, when this object is attached already or the control has an object already.
    bool SubclassDlgItem(int id, const Dialog& parent);
    void Detach();
    HWND Hwnd() const { return hwnd_; }

    // Paints the button for the owner-draw record that the dialog received.
    virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;

    // The object attached to `window`, or null.
    static OwnerDrawButton* FromHandle(HWND window);

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC previous_ = nullptr;
};

}  // namespace fw

#endif
