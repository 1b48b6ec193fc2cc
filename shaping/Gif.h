#pragma once

// Decoding the skin pictures, which are GIF files: the first image, which must
// cover the whole picture and not be interlaced (the art scripts write them
// so), into the pixels of a 24-bit DIB. Portable: no system call, so the host
// tests run it.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tuckaway::shaping {

// A picture laid out as a 24-bit bottom-up DIB: B,G,R bytes, rows padded to
// four bytes, the picture's bottom row first.
struct DibPixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> bits;
};

// Nothing when the bytes are not such a GIF, are cut short, or name a colour
// the picture's table lacks.
std::optional<DibPixels> DecodeGif(std::span<const std::uint8_t> bytes);

} // namespace tuckaway::shaping
