// The owner of a modal window, and what is disabled while it is open.
#include "framework/ModalScope.h"

#include "framework/Application.h"

namespace fw {
namespace {

struct Ownership {
    HWND owner;
    HWND topLevel;  // of the window the owner was chosen for
};

Ownership ChooseOwner(HWND parent) {
    HWND owner = parent;
    if (!owner && Application::Current()) owner = Application::Current()->MainWindow();
    // A pop-up cannot be owned by a child window.
    while (owner && (::GetWindowLongA(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);

    HWND topLevel = owner;
    for (HWND up = owner; up; up = ::GetParent(up)) topLevel = up;

    // Without an explicit parent, the box goes over whatever the main window has open.
    if (!parent && owner) owner = ::GetLastActivePopup(owner);
    return {owner, topLevel};
}

}  // namespace

HWND SafeOwner(HWND parent) { return ChooseOwner(parent).owner; }

ModalScope::ModalScope(HWND parent) {
    const Ownership chosen = ChooseOwner(parent);
    owner_ = chosen.owner;
    if (chosen.topLevel && chosen.topLevel != owner_ && ::IsWindowEnabled(chosen.topLevel)) {
        ::EnableWindow(chosen.topLevel, FALSE);
        disabledTopLevel_ = chosen.topLevel;
    }
}

}  // namespace fw
