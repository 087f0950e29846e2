// The accessible object of our windows, and the answer to WM_GETOBJECT that hands it over.
#include "controls/Accessible.h"

#include "framework/SystemLibrary.h"

namespace controls {

namespace {

// The accessibility libraries, loaded at the first request: the program neither imports
// them nor loads them at start-up.
struct OleFunctions {
    decltype(&CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&LresultFromObject) lresultFromObject = nullptr;
    decltype(&SysAllocStringLen) allocString = nullptr;
};

// Loaded for good: the objects handed out live in them.
HMODULE KeepLoaded(const char* name) { return fw::LoadSystemLibrary(name).release(); }

const OleFunctions& Ole() {
    static const OleFunctions functions = [] {
        OleFunctions loaded;
        // COM must run on this thread for the object to reach another process and for
        // its calls to come back here, the window's thread. (Wine 8 manages without;
        // Windows does not promise to.) An answer of "already running" is as good.
        using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
        if (const auto initialise = fw::ProcAddress<CoInitializeExFunction>(KeepLoaded("ole32.dll"), "CoInitializeEx"))
            initialise(nullptr, COINIT_APARTMENTTHREADED);
        const HMODULE oleacc = KeepLoaded("oleacc.dll");
        loaded.allocString =
            fw::ProcAddress<decltype(&SysAllocStringLen)>(KeepLoaded("oleaut32.dll"), "SysAllocStringLen");
        loaded.lresultFromObject = fw::ProcAddress<decltype(&LresultFromObject)>(oleacc, "LresultFromObject");
        if (loaded.allocString && loaded.lresultFromObject)
            loaded.createStandard =
                fw::ProcAddress<decltype(&CreateStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject");
        return loaded;
    }();
    return functions;
}

// The text as the wide string that the accessibility interfaces carry.
HRESULT ToBstr(const std::string& text, BSTR* out) {
    constexpr UINT kProgramCodePage = 1252;
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(kProgramCodePage, 0, text.data(), size, nullptr, 0);
    *out = Ole().allocString(nullptr, static_cast<UINT>(length));
    if (!*out) return E_OUTOFMEMORY;
    MultiByteToWideChar(kProgramCodePage, 0, text.data(), size, *out, length);
    return S_OK;
}

void SetLong(VARIANT* variant, long value) {
    variant->vt = VT_I4;
    variant->lVal = value;
}

}  // namespace

Accessible::Accessible(HWND window, long role) : window_(window), role_(role) {}

Accessible::~Accessible() {
    if (standard_) standard_->Release();
}

HRESULT Accessible::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    // Only these three: anything else of the standard object (its enumeration of child
    // windows) would contradict the children counted here.
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG Accessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG Accessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// Clients reach IAccessible by its methods; no type library describes it here.
HRESULT Accessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT Accessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT Accessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT Accessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) { return E_NOTIMPL; }

long Accessible::ChildOf(const VARIANT& child) {
    if (child.vt != VT_I4 || child.lVal < CHILDID_SELF || child.lVal > Children()) return -1;
    return child.lVal;
}

HRESULT Accessible::AnswerText(Text what, const VARIANT& child, BSTR* text, TextQuestion standardQuestion) {
    if (!text) return E_POINTER;
    *text = nullptr;
    const long id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    std::string own;
    if (GetText(what, id, own)) return ToBstr(own, text);
    return id == CHILDID_SELF ? (standard_->*standardQuestion)(child, text) : S_FALSE;
}

HRESULT Accessible::get_accParent(IDispatch** parent) { return standard_->get_accParent(parent); }

HRESULT Accessible::get_accChildCount(LONG* count) {
    if (!count) return E_POINTER;
    *count = Children();
    return S_OK;
}

HRESULT Accessible::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    // The children are simple elements, answered through this object.
    return ChildOf(child) > CHILDID_SELF ? S_FALSE : E_INVALIDARG;
}

HRESULT Accessible::get_accName(VARIANT child, BSTR* name) {
    return AnswerText(Text::Name, child, name, &IAccessible::get_accName);
}
HRESULT Accessible::get_accValue(VARIANT child, BSTR* value) {
    return AnswerText(Text::Value, child, value, &IAccessible::get_accValue);
}
HRESULT Accessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return AnswerText(Text::Shortcut, child, shortcut, &IAccessible::get_accKeyboardShortcut);
}
HRESULT Accessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return AnswerText(Text::DefaultAction, child, action, &IAccessible::get_accDefaultAction);
}
HRESULT Accessible::get_accDescription(VARIANT child, BSTR* description) {
    return standard_->get_accDescription(child, description);
}
HRESULT Accessible::get_accHelp(VARIANT child, BSTR* help) { return standard_->get_accHelp(child, help); }
HRESULT Accessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return standard_->get_accHelpTopic(file, child, topic);
}

HRESULT Accessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    const long id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    if (id == CHILDID_SELF && !role_) return standard_->get_accRole(child, role);
    SetLong(role, id == CHILDID_SELF ? role_ : ChildRole(id));
    return S_OK;
}

HRESULT Accessible::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    const long id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    long standard = 0;
    if (id == CHILDID_SELF) {
        VARIANT asked{};
        const HRESULT result = standard_->get_accState(child, &asked);
        if (FAILED(result)) return result;
        if (asked.vt == VT_I4) standard = asked.lVal;
    }
    SetLong(state, GetState(id, standard));
    return S_OK;
}

HRESULT Accessible::get_accFocus(VARIANT* child) { return standard_->get_accFocus(child); }
HRESULT Accessible::get_accSelection(VARIANT* children) { return standard_->get_accSelection(children); }
HRESULT Accessible::accSelect(LONG flags, VARIANT child) { return standard_->accSelect(flags, child); }

HRESULT Accessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    const long id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    RECT area{};
    if (id == CHILDID_SELF) {  // the client area
        GetClientRect(window_, &area);
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&area), 2);
    } else {
        area = ChildLocation(id);
    }
    *left = area.left;
    *top = area.top;
    *width = area.right - area.left;
    *height = area.bottom - area.top;
    return S_OK;
}

HRESULT Accessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return standard_->accNavigate(direction, start, end);
}
HRESULT Accessible::accHitTest(LONG x, LONG y, VARIANT* child) { return standard_->accHitTest(x, y, child); }

HRESULT Accessible::accDoDefaultAction(VARIANT child) {
    const long id = ChildOf(child);
    return id < 0 ? E_INVALIDARG : DoDefaultAction(id);
}

HRESULT Accessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT Accessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

bool Accessible::Clickable() const {
    for (HWND window = window_; window;
         window = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr)
        if (!IsWindowEnabled(window) || !IsWindowVisible(window)) return false;
    return true;
}

bool Accessible::GetText(Text, long, std::string&) { return false; }
long Accessible::GetState(long, long standard) { return standard; }
long Accessible::ChildRole(long) { return 0; }
long Accessible::Children() { return 0; }
RECT Accessible::ChildLocation(long) { return {}; }
HRESULT Accessible::DoDefaultAction(long) { return DISP_E_MEMBERNOTFOUND; }

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, AccessibleFactory make) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
    const OleFunctions& ole = Ole();
    IAccessible* standard = nullptr;
    if (!ole.createStandard ||
        FAILED(ole.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard))))
        return 0;
    Accessible* object = make(window);
    if (!object) {
        standard->Release();
        return 0;
    }
    object->standard_ = standard;
    const LRESULT result = ole.lresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();
    return result;
}

}  // namespace controls
