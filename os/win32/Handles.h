#pragma once

// Owners for the Win32 handles the program creates. Each one releases its
// handle with the call that matches how it was obtained, and none is copyable:
// a copied owner would release twice.

#include <windows.h>

#include <memory>
#include <type_traits>

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

using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using UniqueIcon = UniqueHandle<HICON, DestroyIconHandle>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenuHandle>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindowHandle>;
using UniqueRegistryKey = UniqueHandle<HKEY, CloseRegistryKey>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteMemoryDc>;
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

} // namespace tuckaway::win32
