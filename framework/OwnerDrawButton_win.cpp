// Attaching objects to dialog buttons through a window property and a subclass procedure.
#include "framework/OwnerDrawButton.h"

#include "framework/Dialog.h"

namespace fw {

namespace {

// The object lives with the window, not in a side table.
constexpr char kObjectProperty[] = "fw.OwnerDrawButton";

}  // namespace

OwnerDrawButton::~OwnerDrawButton() { Detach(); }

bool OwnerDrawButton::SubclassDlgItem(int id, const Dialog& parent) {
    HWND window = parent.Item(id);
    if (hwnd_ || !window || FromHandle(window)) return false;
    if (!::SetPropA(window, kObjectProperty, this)) return false;
    hwnd_ = window;
    previous_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnerDrawButton::SubclassProc)));
    return true;
}

void OwnerDrawButton::Detach() {
    if (!hwnd_) return;
    ::SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    ::RemovePropA(hwnd_, kObjectProperty);
    hwnd_ = nullptr;
    previous_ = nullptr;
}

OwnerDrawButton* OwnerDrawButton::FromHandle(HWND window) {
    return window ? static_cast<OwnerDrawButton*>(::GetPropA(window, kObjectProperty)) : nullptr;
}

LRESULT CALLBACK OwnerDrawButton::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    OwnerDrawButton* button = FromHandle(window);
    if (!button) return ::DefWindowProcA(window, message, wParam, lParam);  // not reached: detach restores
    WNDPROC previous = button->previous_;
    // The window is going: the object lets go first and the button finishes its own clean-up.
    if (message == WM_NCDESTROY) button->Detach();
    return ::CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace fw
