#pragma once

// What both dialogs share: one borderless window, made on demand, shown and
// hidden, cut to the outline of its skin and dragged by its background.

#include "handles/Handles.h"
#include "windows/Skin.h"

#include <windows.h>

namespace tuckaway::win32 {

class SkinnedDialog {
public:
    SkinnedDialog(const SkinnedDialog&) = delete;
    SkinnedDialog& operator=(const SkinnedDialog&) = delete;

    HWND handle() const noexcept { return window_.get(); }
    bool Exists() const noexcept { return ::IsWindow(window_.get()) != FALSE; }
    // Whether its window class is registered and its skin decoded.
    bool Registered() const noexcept { return registered_; }
    bool Skinned() const noexcept { return static_cast<bool>(skin_); }
    void Show();
    void Hide();
    // Un-minimises it.
    void Restore();
    void Destroy();
    void Shape() { skin_.Shape(window_.get()); }
    // The system moves the window with the mouse as if its title bar were held.
    void Drag();

protected:
    SkinnedDialog(HINSTANCE instance, int skinResource, PictureLoader load)
        : instance_(instance), skin_(instance, skinResource, load) {}
    // Each dialog destroys its window in its own destructor, while its message
    // handler can still run.
    ~SkinnedDialog() = default;

    // Call from the window's handler for every message; it lets go of the
    // handle once the window is gone, however it went.
    void Forget(UINT message) noexcept {
        if (message == WM_NCDESTROY) {
            (void)window_.release();
        }
    }
    // Keeps the keyboard focus as a system dialog does: whenever the dialog is
    // activated, it goes to the control that last had it (at first, the first
    // control in tab order), so Enter, Esc and Tab work at once. Call from the
    // window's handler for every message; true when the message is handled.
    bool KeepFocus(UINT message, WPARAM wParam) noexcept;

    HINSTANCE instance_;
    UniqueWindow window_;
    Skin skin_;
    // Set by each dialog once it has registered its window class.
    bool registered_ = false;

private:
    void FocusControl() noexcept;
    // Moves it into the work area of its monitor.
    void FitOnScreen() noexcept;

    // The child that had the focus when the dialog was last deactivated.
    HWND lastFocus_ = nullptr;
};

} // namespace tuckaway::win32
