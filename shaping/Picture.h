#pragma once

// Loading the skin pictures, which are GIF files stored as RCDATA resources and
// decoded by the system's picture loader (OleLoadPicture).

#include "handles/Handles.h"

#include <windows.h>

#include <cstddef>

namespace tuckaway::shaping {

// Decodes a GIF (or BMP, JPEG) held in memory into a bitmap the caller owns.
// The calling thread must have called OleInitialize (WinMain does, once, at
// start-up). Returns null if the bytes cannot be decoded.
win32::UniqueBitmap LoadPictureBytes(const void* bytes, std::size_t size);

// The same for an RCDATA resource of `instance`; null if it is missing.
win32::UniqueBitmap LoadPictureResource(HINSTANCE instance, int resourceId);

} // namespace tuckaway::shaping
