#pragma once

// Decoding the skin pictures, which are GIF files: the first image, which must
// cover the whole picture and not be interlaced (the art scripts write them
// so), into the pixels of a 24-bit DIB. Portable: no system call, so the host
// tests run it.

#include <cstdint>
#include <functional>
#include <span>

namespace tuckaway::shaping {

// Where the picture goes, once its size is known: zeroed memory of its size as
// a 24-bit bottom-up DIB (B,G,R bytes, rows padded to four bytes, the bottom
// row first; DibImageSize), or null to stop.
using DibTarget = std::function<std::uint8_t*(std::int32_t width, std::int32_t height)>;

// False when the bytes are not such a GIF, are cut short, or name a colour the
// picture's table lacks; the target may hold part of the picture then.
bool DecodeGif(std::span<const std::uint8_t> bytes, const DibTarget& target);

} // namespace tuckaway::shaping
