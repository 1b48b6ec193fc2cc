#include "shaping/Picture.h"

#include <objbase.h>
#include <olectl.h>

#include <cstring>
#include <memory>

namespace tuckaway::shaping {

namespace {

struct ComRelease {
    void operator()(IUnknown* object) const noexcept { object->Release(); }
};
template <typename Interface> using ComPtr = std::unique_ptr<Interface, ComRelease>;

void FreeGlobal(HGLOBAL memory) noexcept {
    ::GlobalFree(memory);
}
using UniqueGlobal = win32::UniqueHandle<HGLOBAL, FreeGlobal>;

} // namespace

win32::UniqueBitmap LoadPictureBytes(const void* bytes, std::size_t size) {
    if (!bytes || size == 0 || size > 0x7FFFFFFF) {
        return {};
    }
    // The stream needs movable global memory of its own; a resource cannot serve as one.
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory) {
        return {};
    }
    void* target = ::GlobalLock(memory.get());
    if (!target) {
        return {};
    }
    std::memcpy(target, bytes, size);
    ::GlobalUnlock(memory.get());

    IStream* rawStream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(memory.get(), TRUE, &rawStream))) {
        return {};
    }
    memory.release(); // the stream frees it now
    const ComPtr<IStream> stream(rawStream);

    void* rawPicture = nullptr;
    if (FAILED(::OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture, &rawPicture)) ||
        !rawPicture) {
        return {};
    }
    const ComPtr<IPicture> picture(static_cast<IPicture*>(rawPicture));
    short type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle))) {
        return {};
    }
    // The picture object deletes its bitmap when released, so keep a copy of our own.
    const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    return win32::UniqueBitmap(static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)));
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
