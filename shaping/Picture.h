#pragma once

// Loading the skin pictures, which are GIF files stored as RCDATA resources,
// into DIB sections (the decoding itself is portable: shaping/Gif.h).

#include "handles/Handles.h"

#include <windows.h>

#include <cstddef>

namespace tuckaway::shaping {

// Decodes a GIF held in memory into a 24-bit DIB section the caller owns.
// Returns null if the bytes cannot be decoded.
win32::UniqueBitmap LoadPictureBytes(const void* bytes, std::size_t size);

// The same for an RCDATA resource of `instance`; null if it is missing.
win32::UniqueBitmap LoadPictureResource(HINSTANCE instance, int resourceId);

} // namespace tuckaway::shaping
