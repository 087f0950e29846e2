// The bracket around every modal window the program opens: message boxes, dialogs, the mail client.
#ifndef PEMZ_FRAMEWORK_MODALSCOPE_H
#define PEMZ_FRAMEWORK_MODALSCOPE_H

#include <windows.h>

#include "framework/Application.h"

namespace fw {

// For its lifetime: the owner's top-level window disabled when it is not the owner itself
// (GetSafeOwner). Disabling the owner is left to whoever opens the window, since a message
// box does it on its own.
class ModalScope {
public:
    // `parent` null: the application's main window, then its last active pop-up.
    explicit ModalScope(HWND parent = nullptr) : owner_(GetSafeOwner(parent, &topLevel_)) {}
    ~ModalScope() {
        if (topLevel_) ::EnableWindow(topLevel_, TRUE);
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    HWND Owner() const { return owner_; }

private:
    HWND topLevel_ = nullptr;  // declared first: the owner's initialiser fills it
    HWND owner_;
};

}  // namespace fw

#endif
