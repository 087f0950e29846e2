// What a screen reader reads of a window: its accessible object (OBJID_CLIENT) asked
// from the test's own thread, in process or across processes, texts in CP1252.
#ifndef PEMZ_TESTS_ACCESSIBLEREADER_H
#define PEMZ_TESTS_ACCESSIBLEREADER_H

#include <windows.h>
#include <oleacc.h>

#include <string>

namespace test {

class AccessibleReader {
public:
    explicit AccessibleReader(HWND window) {
        initialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object_));
    }
    ~AccessibleReader() {
        if (object_) object_->Release();
        if (initialised_) CoUninitialize();
    }
    AccessibleReader(const AccessibleReader&) = delete;
    AccessibleReader& operator=(const AccessibleReader&) = delete;

    explicit operator bool() const { return object_ != nullptr; }

    long Role(long child = CHILDID_SELF) { return Number(&IAccessible::get_accRole, child); }
    long State(long child = CHILDID_SELF) { return Number(&IAccessible::get_accState, child); }
    // Texts: empty when there is none (S_FALSE) or on failure.
    std::string Name(long child = CHILDID_SELF) { return Text(&IAccessible::get_accName, child); }
    std::string Value(long child = CHILDID_SELF) { return Text(&IAccessible::get_accValue, child); }
    std::string Shortcut(long child = CHILDID_SELF) { return Text(&IAccessible::get_accKeyboardShortcut, child); }
    std::string DefaultAction(long child = CHILDID_SELF) { return Text(&IAccessible::get_accDefaultAction, child); }
    long Children() {
        long count = -1;
        if (object_) object_->get_accChildCount(&count);
        return count;
    }
    HRESULT DoDefaultAction(long child = CHILDID_SELF) {
        return object_ ? object_->accDoDefaultAction(Child(child)) : E_FAIL;
    }
    // On the screen; empty on failure.
    RECT Location(long child = CHILDID_SELF) {
        long left = 0, top = 0, width = 0, height = 0;
        if (!object_ || FAILED(object_->accLocation(&left, &top, &width, &height, Child(child)))) return {};
        return {left, top, left + width, top + height};
    }

private:
    static VARIANT Child(long id) {
        VARIANT child{};
        child.vt = VT_I4;
        child.lVal = id;
        return child;
    }
    long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*question)(VARIANT, VARIANT*), long child) {
        VARIANT answer{};
        if (!object_ || (object_->*question)(Child(child), &answer) != S_OK || answer.vt != VT_I4) return -1;
        return answer.lVal;
    }
    std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*question)(VARIANT, BSTR*), long child) {
        BSTR answer = nullptr;
        if (!object_ || (object_->*question)(Child(child), &answer) != S_OK || !answer) return {};
        const int length = static_cast<int>(SysStringLen(answer));
        std::string text(
            static_cast<size_t>(WideCharToMultiByte(1252, 0, answer, length, nullptr, 0, nullptr, nullptr)), '\0');
        WideCharToMultiByte(1252, 0, answer, length, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
        SysFreeString(answer);
        return text;
    }

    bool initialised_ = false;
    IAccessible* object_ = nullptr;
};

}  // namespace test

#endif
