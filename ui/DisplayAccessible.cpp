// The display lines and labels are the platform's edit and static controls, which take a
// name only from a caption before them, and the lines have none. The platform's way of
// naming them from outside (IAccPropServices) is a stub under Wine 8 (E_NOTIMPL), so the
// controls are subclassed to answer WM_GETOBJECT with an object of our own instead.
#include "ui/DisplayAccessible.h"

#include <new>
#include <string>

#include "controls/Accessible.h"
#include "framework/WindowText.h"
#include "res/resource.h"

namespace ui {

namespace {

struct Readout {
    int id;
    long role;
    const char* name;
};

constexpr Readout kReadouts[] = {
    {IDC_FRANCS_LINE, ROLE_SYSTEM_TEXT, "Montant en francs"},
    {IDC_EURO_LINE, ROLE_SYSTEM_TEXT, "Montant en euros"},
    {IDC_PARITY_LABEL, ROLE_SYSTEM_STATICTEXT, "Parité"},
    {IDC_MEMORY_INDICATOR, ROLE_SYSTEM_STATICTEXT, "Mémoire"},
    {IDC_FOCUS_HOLDER, ROLE_SYSTEM_TEXT, nullptr},  // reads as the input line
};
static_assert(kReadouts[0].id == IDC_FRANCS_LINE && kReadouts[1].id == IDC_EURO_LINE, "the input lines come first");

// What `control` says of itself, or, for the focus holder, of the input line: the focus
// rests there after every key, and screen readers speak the changes of the focused object.
class ReadoutAccessible : public controls::Accessible {
public:
    ReadoutAccessible(HWND control, const Readout& readout) : Accessible(control, readout.role), readout_(readout) {}

protected:
    bool GetText(Text what, long child, std::string& text) override {
        if (child != CHILDID_SELF || (what != Text::Name && what != Text::Value)) return false;
        const Readout& shown = readout_.name ? readout_ : InputLine();
        text = what == Text::Name ? shown.name : fw::WindowText(::GetDlgItem(::GetParent(Window()), shown.id));
        return true;
    }

private:
    const Readout& InputLine() const {
        const bool euroInput = ::SendMessageA(::GetParent(Window()), WM_INPUTLINEQUERY, 0, 0) == IDC_EURO_LINE;
        return kReadouts[euroInput ? 1 : 0];
    }

    const Readout& readout_;
};

controls::Accessible* MakeReadout(HWND control) {
    const int id = ::GetDlgCtrlID(control);
    for (const Readout& readout : kReadouts)
        if (readout.id == id) return new (std::nothrow) ReadoutAccessible(control, readout);
    return nullptr;
}

// The control's own procedure is kept in its user data, which these classes leave to us.
LRESULT CALLBACK ReadoutProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT)
        if (const LRESULT answer = controls::AnswerGetObject(control, wParam, lParam, &MakeReadout)) return answer;
    const auto own = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(control, GWLP_USERDATA));
    return ::CallWindowProcA(own, control, message, wParam, lParam);
}

}  // namespace

void MakeDisplayAccessible(HWND dialog) {
    for (const Readout& readout : kReadouts) {
        HWND control = ::GetDlgItem(dialog, readout.id);
        ::SetWindowLongPtrA(control, GWLP_USERDATA, ::GetWindowLongPtrA(control, GWLP_WNDPROC));
        ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReadoutProcedure));
    }
}

}  // namespace ui
