// Owning wrappers for Win32 handles: one template, a traits struct per kind of handle,
// and three scoped helpers for device contexts and GDI selections.
#ifndef PEMZ_FRAMEWORK_UNIQUEHANDLE_H
#define PEMZ_FRAMEWORK_UNIQUEHANDLE_H

#include <windows.h>

#include <utility>

namespace fw {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept : handle_(Traits::Invalid()) {}
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

    Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid()) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

    // For APIs that return the handle through an out parameter (RegOpenKeyA...).
    Handle* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Handle handle_;
};

// Traits for handles whose "none" is null and that one API call releases.
template <typename H, auto CloseFunction>
struct NullableHandleTraits {
    using Handle = H;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { CloseFunction(h); }
};

template <typename H>
using GdiObjectTraits = NullableHandleTraits<H, &::DeleteObject>;

using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueMemoryDc = UniqueHandle<NullableHandleTraits<HDC, &::DeleteDC>>;
using UniqueKey = UniqueHandle<NullableHandleTraits<HKEY, &::RegCloseKey>>;
using UniqueLibrary = UniqueHandle<NullableHandleTraits<HMODULE, &::FreeLibrary>>;
using UniqueIcon = UniqueHandle<NullableHandleTraits<HICON, &::DestroyIcon>>;
using UniqueMenu = UniqueHandle<NullableHandleTraits<HMENU, &::DestroyMenu>>;
using UniqueWindow = UniqueHandle<NullableHandleTraits<HWND, &::DestroyWindow>>;

// A window's DC from GetDC (or GetWindowDC / GetDCEx), released for the same window.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    WindowDc(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : window_(window), paint_{}, dc_(::BeginPaint(window, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { ::EndPaint(window_, &paint_); }
    HDC get() const noexcept { return dc_; }
    const PAINTSTRUCT& paint() const noexcept { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_;
    HDC dc_;
};

// Selects a GDI object into a DC and puts the previous one back on scope exit.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (previous_) ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace fw

#endif
