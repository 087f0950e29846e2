// What a screen reader is told about a window: an IAccessible of our own that answers what
// the window says of itself (role, name, value, state, shortcut, action, simple children)
// and passes every other question to the platform's standard object of its client area.
#ifndef PEMZ_CONTROLS_ACCESSIBLE_H
#define PEMZ_CONTROLS_ACCESSIBLE_H

#include <windows.h>
#include <oleacc.h>

#include <new>
#include <string>

namespace controls {

class Accessible : public IAccessible {
public:
    // Texts a window may give itself, in the program's code page (CP1252).
    enum class Text { Name, Value, Shortcut, DefaultAction };

    // role: the window's own role, or 0 to keep the standard object's.
    Accessible(HWND window, long role);
    virtual ~Accessible();
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

protected:
    HWND Window() const { return window_; }
    // Whether a click can reach the window: it and every window it lies in are shown and
    // enabled (a modal dialog keeps the window beneath it from being clicked).
    bool Clickable() const;

    // The parts a window may answer itself. `child` is CHILDID_SELF for the window or
    // 1..Children() for one of its simple elements.
    // True with the text to say; false leaves the window's text to the standard object
    // and gives a child none.
    virtual bool GetText(Text what, long child, std::string& text);
    // `standard` is the standard object's state of the window, 0 for a child.
    virtual long GetState(long child, long standard);
    virtual long ChildRole(long child);
    virtual long Children();
    // A child's rectangle on the screen.
    virtual RECT ChildLocation(long child);
    // Without an action: DISP_E_MEMBERNOTFOUND, as the platform answers.
    virtual HRESULT DoDefaultAction(long child);

private:
    friend LRESULT AnswerGetObject(HWND, WPARAM, LPARAM, Accessible* (*)(HWND));
    using TextQuestion = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    HRESULT AnswerText(Text what, const VARIANT& child, BSTR* text, TextQuestion standardQuestion);
    // CHILDID_SELF or a child of this window, else none (-1).
    long ChildOf(const VARIANT& child);

    LONG references_ = 1;
    HWND window_;
    long role_;
    IAccessible* standard_ = nullptr;
};

using AccessibleFactory = Accessible* (*)(HWND window);

// Factories: a control's own kind of object, or the plain object of a window that only
// says what it is.
template <class Object>
Accessible* MakeAccessible(HWND window) {
    return new (std::nothrow) Object(window);
}
template <long Role>
Accessible* MakeAccessibleWithRole(HWND window) {
    return new (std::nothrow) Accessible(window, Role);
}

// The answer to WM_GETOBJECT: for the client area (OBJID_CLIENT), the object that `make`
// builds, handed over with LresultFromObject; 0 for any other object, or when the
// accessibility libraries are missing, which leaves the answer to the platform. Those
// libraries (oleacc, ole32, oleaut32) are loaded at the first request, never before.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, AccessibleFactory make);

}  // namespace controls

#endif
