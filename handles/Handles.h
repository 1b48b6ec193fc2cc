#pragma once

// Owners for the Win32 handles the program creates. Each one releases its
// handle with the call that matches how it was obtained, and none is copyable:
// a copied owner would release twice. Both the shaping code and the Windows
// layer build on these, so they sit below both.

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

namespace tuckaway::win32 {

template <typename Handle, auto Release> struct HandleDeleter {
    using pointer = Handle;
    void operator()(Handle handle) const noexcept {
        if (handle) {
            Release(handle);
        }
    }
};

template <typename Handle, auto Release>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Handle, Release>>;

inline void CloseKernelHandle(HANDLE handle) noexcept {
    ::CloseHandle(handle);
}
inline void DeleteGdiObject(HGDIOBJ object) noexcept {
    ::DeleteObject(object);
}
inline void DestroyIconHandle(HICON icon) noexcept {
    ::DestroyIcon(icon);
}
inline void DestroyMenuHandle(HMENU menu) noexcept {
    ::DestroyMenu(menu);
}
inline void DestroyWindowHandle(HWND window) noexcept {
    ::DestroyWindow(window);
}
inline void CloseRegistryKey(HKEY key) noexcept {
    ::RegCloseKey(key);
}
inline void DeleteMemoryDc(HDC dc) noexcept {
    ::DeleteDC(dc);
}
inline void UnhookWinEventHandle(HWINEVENTHOOK hook) noexcept {
    ::UnhookWinEvent(hook);
}

using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using UniqueIcon = UniqueHandle<HICON, DestroyIconHandle>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenuHandle>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindowHandle>;
using UniqueRegistryKey = UniqueHandle<HKEY, CloseRegistryKey>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteMemoryDc>;
using UniqueWinEventHook = UniqueHandle<HWINEVENTHOOK, UnhookWinEventHandle>;
template <typename GdiObject> using UniqueGdiObject = UniqueHandle<GdiObject, DeleteGdiObject>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueRegion = UniqueGdiObject<HRGN>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;

// A DC from GetDC, given back with ReleaseDC to the same window.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_) {
            ::ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a DC; the object it replaced goes back when the
// guard goes, so the object can then be deleted.
class SelectedObject {
public:
    SelectedObject() noexcept = default;
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(dc ? ::SelectObject(dc, object) : nullptr) {
        if (previous_ == HGDI_ERROR) {
            previous_ = nullptr;
        }
    }
    ~SelectedObject() { Restore(); }
    SelectedObject(SelectedObject&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
    SelectedObject& operator=(SelectedObject&& other) noexcept {
        if (this != &other) {
            Restore();
            dc_ = std::exchange(other.dc_, nullptr);
            previous_ = std::exchange(other.previous_, nullptr);
        }
        return *this;
    }
    // False when the selection failed (the object is selected elsewhere, say).
    explicit operator bool() const noexcept { return previous_ != nullptr; }
    void Restore() noexcept {
        if (dc_ && previous_) {
            ::SelectObject(dc_, previous_);
        }
        dc_ = nullptr;
        previous_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// BeginPaint and its EndPaint.
class Paint {
public:
    explicit Paint(HWND window) noexcept : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~Paint() { ::EndPaint(window_, &paint_); }
    Paint(const Paint&) = delete;
    Paint& operator=(const Paint&) = delete;
    HDC dc() const noexcept { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

} // namespace tuckaway::win32
