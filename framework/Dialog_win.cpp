// The dialog base: modal run, message routing, centring.
#include "framework/Dialog.h"

#include <algorithm>
#include <cstring>

#include "framework/Application.h"
#include "framework/ModalScope.h"
#include "framework/OwnerDrawButton.h"
#include "framework/ResourceBytes.h"

namespace fw {

namespace {

// The dialog manager takes these messages' results from the dialog procedure's return
// value; for all others it reads DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON: return true;
    default: return false;
    }
}

bool IsMenuCommand(unsigned id) { return ID_MENU_COMMAND_FIRST <= id && id <= ID_MENU_COMMAND_LAST; }

struct TemplatePlacement {
    DWORD style;
    short x;
    short y;
};

// Style and position from the header of a DIALOG or DIALOGEX template.
bool ReadTemplatePlacement(HINSTANCE instance, unsigned templateId, TemplatePlacement& placement) {
    const ResourceBytes resource =
        FindResourceBytes(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    const unsigned char* bytes = resource.data;
    if (!bytes || resource.size < 22) return false;

    WORD signature;
    std::memcpy(&signature, bytes + 2, sizeof signature);
    const bool extended = signature == 0xFFFF;
    std::memcpy(&placement.style, bytes + (extended ? 12 : 0), sizeof placement.style);
    std::memcpy(&placement.x, bytes + (extended ? 18 : 10), sizeof placement.x);
    std::memcpy(&placement.y, bytes + (extended ? 20 : 12), sizeof placement.y);
    return true;
}

// Centre over the owner when it is on screen, else over the work area; stay inside the work area.
void CentreOnOwner(HWND window) {
    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT area = work;
    HWND owner = ::GetWindow(window, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &area);

    RECT rect;
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

const CommandEntry Dialog::kDialogCommands[] = {
    OnCommand<&Dialog::OnOK>(IDOK),
    OnCommand<&Dialog::OnCancel>(IDCANCEL),
};

Dialog::Dialog(unsigned templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog() {
    if (hwnd_) ::DestroyWindow(hwnd_);
    if (Application* application = Application::Current()) application->ForgetMainDialog(*this);
}

INT_PTR Dialog::DoModal() {
    if (hwnd_) return -1;  // already running
    ending_ = false;
    result_ = -1;

    const ModalScope modal(parent_);
    HWND owner = modal.Owner();
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);

    // Created modeless so that the loop below, not the dialog manager's, runs it.
    ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner, &Dialog::DialogProc,
                         reinterpret_cast<LPARAM>(this));
    if (Running() && !::IsWindowVisible(hwnd_)) ::ShowWindow(hwnd_, SW_SHOWNORMAL);

    MSG message;
    while (Running()) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // Outer loops must see the quit message too.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) break;
        const bool ours = message.hwnd && (message.hwnd == hwnd_ || ::IsChild(hwnd_, message.hwnd));
        if (!ours || !PreTranslateMessage(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }

    // The owner comes back before the dialog goes, so that it becomes the active window.
    if (disableOwner) ::EnableWindow(owner, TRUE);
    if (hwnd_) {
        if (owner && ::GetActiveWindow() == hwnd_) ::SetActiveWindow(owner);
        ::DestroyWindow(hwnd_);
    }
    return result_;
}

void Dialog::EndDialog(INT_PTR result) {
    result_ = result;
    ending_ = true;
    // Wakes the modal loop when the call does not come from a message it dispatched.
    if (hwnd_) ::PostMessageA(hwnd_, WM_NULL, 0, 0);
}

bool Dialog::PreTranslateMessage(MSG& message) { return ::IsDialogMessageA(hwnd_, &message) != FALSE; }

CommandTable Dialog::Commands() const { return {}; }

bool Dialog::OnInitDialog() { return true; }

void Dialog::OnOK() { EndDialog(IDOK); }

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT Dialog::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        reinterpret_cast<Dialog*>(lParam)->hwnd_ = window;
    }
    // Messages before WM_INITDIALOG (WM_SETFONT...) find no object yet.
    auto* dialog = reinterpret_cast<Dialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    return dialog ? dialog->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const bool focusFirstTabStop = OnInitDialog();
        CentreIfStillHidden();
        return focusFirstTabStop ? TRUE : FALSE;
    }
    case WM_COMMAND: return HandleCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_NCDESTROY: OnWindowDestroyed(); return FALSE;
    default: break;
    }

    LRESULT result = 0;
    if (RouteMessage(*this, Commands(), message, wParam, lParam, result)) {
        if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
        ::SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        // Owner-drawn controls draw themselves through the object attached to them.
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        OwnerDrawButton* button = item.CtlType == ODT_MENU ? nullptr : OwnerDrawButton::FromHandle(item.hwndItem);
        if (button) {
            button->DrawItem(item);
            return TRUE;
        }
    }
    return FALSE;
}

// The dialog's table, the framework's dialog table, then for menu commands the application's.
// Anything else (such as 103) is nobody's and falls off here.
bool Dialog::HandleCommand(unsigned id, unsigned notifyCode) {
    if (RouteCommand(*this, Commands(), id, notifyCode)) return true;
    if (RouteCommand(*this, kDialogCommands, id, notifyCode)) return true;
    Application* application = Application::Current();
    return IsMenuCommand(id) && application && application->RouteCommand(id, notifyCode);
}

// A template at 0,0 without DS_CENTER or DS_ABSALIGN, still hidden once initialised,
// opens centred on its owner; one that its initialisation has shown stays where it is.
void Dialog::CentreIfStillHidden() {
    if (!hwnd_ || ::IsWindowVisible(hwnd_)) return;
    TemplatePlacement placement;
    if (!ReadTemplatePlacement(::GetModuleHandleA(nullptr), templateId_, placement)) return;
    if (placement.x != 0 || placement.y != 0 || (placement.style & (DS_CENTER | DS_ABSALIGN))) return;
    CentreOnOwner(hwnd_);
}

// Destroying the application's main window ends the program's run: the quit message.
void Dialog::OnWindowDestroyed() {
    Application* application = Application::Current();
    if (application && application->MainWindow() == hwnd_) {
        application->QuitHelp();
        application->SetMainWindow(nullptr);
        ::PostQuitMessage(0);
    }
    hwnd_ = nullptr;
}

}  // namespace fw
