// The bracket around every modal window the program opens: message boxes, dialogs, the mail client.
#ifndef PEMZ_FRAMEWORK_MODALSCOPE_H
#define PEMZ_FRAMEWORK_MODALSCOPE_H

#include <windows.h>

namespace fw {

// The window that should own a modal window opened for `parent` (null: the application's
// main window, then its last active pop-up). Child windows are skipped up to their
// top-level parent.
HWND SafeOwner(HWND parent);

// For its lifetime: SafeOwner(parent) as the owner, and the owner's top-level window
// disabled when it is enabled and not the owner itself. Disabling the owner is left to
// whoever opens the window, since a message box does it on its own.
class ModalScope {
public:
    explicit ModalScope(HWND parent = nullptr);
    ~ModalScope() {
        if (disabledTopLevel_) ::EnableWindow(disabledTopLevel_, TRUE);
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    HWND Owner() const { return owner_; }

private:
    HWND owner_ = nullptr;
    HWND disabledTopLevel_ = nullptr;  // to enable again
};

}  // namespace fw

#endif
