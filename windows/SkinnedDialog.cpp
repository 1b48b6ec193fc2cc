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

void SkinnedDialog::Drag() {
    ::ReleaseCapture();
    ::SendMessageW(window_.get(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

} // namespace tuckaway::win32
