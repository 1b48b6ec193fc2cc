#include "shaping/Picture.h"

#include "shaping/Gif.h"

#include <cstdint>

namespace tuckaway::shaping {

win32::UniqueBitmap LoadPictureBytes(const void* bytes, std::size_t size) {
    if (!bytes) {
        return {};
    }
    // Straight into the DIB section: no second copy of the picture on the way.
    win32::UniqueBitmap bitmap;
    const auto target = [&](std::int32_t width, std::int32_t height) -> std::uint8_t* {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height; // positive: bottom-up rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* rows = nullptr;
        bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &rows, nullptr, 0));
        return bitmap ? static_cast<std::uint8_t*>(rows) : nullptr;
    };
    if (!DecodeGif({static_cast<const std::uint8_t*>(bytes), size}, target)) {
        bitmap.reset();
    }
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
