#include "windows/SkinnedDialog.h"

namespace tuckaway::win32 {

void SkinnedDialog::Show() {
    ::ShowWindow(window_.get(), SW_SHOW);
}

void SkinnedDialog::Hide() {
    ::ShowWindow(window_.get(), SW_HIDE);
}

void SkinnedDialog::Restore() {
    if (::IsIconic(window_.get())) {
        ::ShowWindow(window_.get(), SW_RESTORE);
    }
}

void SkinnedDialog::Destroy() {
    window_.reset();
}

bool SkinnedDialog::KeepFocus(UINT message, WPARAM wParam) noexcept {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(window_.get(), focus)) {
                lastFocus_ = focus;
            }
            return false;
        }
        if (HIWORD(wParam)) {
            // Minimised: the focus waits until it is restored.
            return false;
        }
        FocusControl();
        return true;
    case WM_SETFOCUS:
        FocusControl();
        return true;
    default:
        return false;
    }
}

void SkinnedDialog::FocusControl() noexcept {
    HWND dialog = window_.get();
    HWND control = lastFocus_;
    if (!control || !::IsChild(dialog, control) || !::IsWindowVisible(control) ||
        !::IsWindowEnabled(control)) {
        control = ::GetNextDlgTabItem(dialog, nullptr, FALSE);
    }
    if (control) {
        ::SetFocus(control);
    }
}

void SkinnedDialog::Drag() {
    ::ReleaseCapture();
    ::SendMessageW(window_.get(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

} // namespace tuckaway::win32
