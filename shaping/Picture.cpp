#include "shaping/Picture.h"

#include "shaping/Gif.h"

#include <cstdint>
#include <cstring>

namespace tuckaway::shaping {

win32::UniqueBitmap LoadPictureBytes(const void* bytes, std::size_t size) {
    if (!bytes) {
        return {};
    }
    const auto picture = DecodeGif({static_cast<const std::uint8_t*>(bytes), size});
    if (!picture) {
        return {};
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture->width;
    info.bmiHeader.biHeight = picture->height; // positive: bottom-up rows, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win32::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) {
        return {};
    }
    std::memcpy(bits, picture->bits.data(), picture->bits.size());
    return bitmap;
}

win32::UniqueBitmap LoadPictureResource(HINSTANCE instance, int resourceId) {
    const HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
    if (!found) {
        return {};
    }
    const HGLOBAL loaded = ::LoadResource(instance, found);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    return LoadPictureBytes(bytes, ::SizeofResource(instance, found));
}

} // namespace tuckaway::shaping
