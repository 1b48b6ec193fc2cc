#pragma once

// A dialog's skin: the picture it paints as its background and whose outline
// its window is cut to.

#include "handles/Handles.h"
#include "shaping/Region.h"

#include <windows.h>

namespace tuckaway::win32 {

// RCDATA resources holding the skins.
inline constexpr int kHotkeySkinResource = 201;
inline constexpr int kMainSkinResource = 202;

// Decodes a picture resource; null when it cannot. The composition root may
// hand the windows another one (a test build injects a failing one).
using PictureLoader = UniqueBitmap (*)(HINSTANCE instance, int resourceId);

class Skin {
public:
    Skin(HINSTANCE instance, int resourceId, PictureLoader load);

    explicit operator bool() const noexcept { return static_cast<bool>(bitmap_); }
    HBITMAP bitmap() const noexcept { return bitmap_.get(); }

    // Paints the picture at the top left of the DC.
    void Paint(HDC target) const;
    // Cuts the window to the picture's outline; the key colour is the
    // picture's bottom-left pixel. The region is kept for the window's life.
    void Shape(HWND window);

private:
    UniqueBitmap bitmap_;
    shaping::Region region_;
};

} // namespace tuckaway::win32
