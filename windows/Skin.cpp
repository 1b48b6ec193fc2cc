#include "windows/Skin.h"

namespace tuckaway::win32 {

Skin::Skin(HINSTANCE instance, int resourceId, PictureLoader load) : bitmap_(load(instance, resourceId)) {}

void Skin::Paint(HDC target) const {
    BITMAP size{};
    if (!bitmap_ || !::GetObjectW(bitmap_.get(), sizeof size, &size)) {
        return;
    }
    const UniqueMemoryDc source(::CreateCompatibleDC(target));
    const SelectedObject picture(source.get(), bitmap_.get());
    ::BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY);
}

void Skin::Shape(HWND window) {
    if (!bitmap_) {
        return;
    }
    COLORREF key = shaping::kKeyFromPicture;
    region_.ScanPicture(bitmap_.get(), key);
    region_.OffsetHeader(window);
    region_.ApplyRgn(window);
}

} // namespace tuckaway::win32
