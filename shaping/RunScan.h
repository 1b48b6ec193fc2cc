#pragma once

// Pure computations behind window shaping: turning a 24-bit bottom-up DIB into
// the horizontal runs of pixels that are not a key colour, which is how both a
// skinned dialog gets its outline and the main dialog's check box loses its
// background; and the offset between a framed window's outer rectangle and
// its client area. They touch no system call, so the host tests run them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tuckaway::shaping {

// A key-colour value asking the scanner to take the key from the picture itself.
inline constexpr std::uint32_t kKeyFromPicture = 1;

// One run of non-key pixels on a single picture row: [left, right) x [top, bottom).
struct Run {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
    friend bool operator==(const Run&, const Run&) = default;
};

// The stride of a 24-bit DIB row: three bytes a pixel, padded to four bytes.
// Returns nothing when the width is negative or the stride does not fit in 32
// bits; callers then refuse to create the DIB instead of allocating a wrapped size.
std::optional<std::uint32_t> BytesPerScanLine(std::int32_t width);

// The whole image size of a 24-bit DIB (height rows of the stride above), or
// nothing when either is negative or the product does not fit in 32 bits.
std::optional<std::uint32_t> DibImageSize(std::int32_t width, std::int32_t height);

// The key colour a scan uses when asked for `transColor`: kKeyFromPicture means
// the first pixel in memory, the picture's bottom-left one; any other value is
// the key itself. Without pixels the value stays as it is.
std::uint32_t PictureKey(const std::uint8_t* pixels, std::int32_t width, std::int32_t height,
                         std::uint32_t transColor);

// Scans a 24-bit bottom-up DIB (B,G,R bytes; the first row in memory is the
// picture's bottom row) into maximal runs of pixels whose colour differs from
// `key` (COLORREF layout: red in the low byte; the high byte does not count).
// Runs come top row first, left to right, in picture coordinates.
// A null `pixels` or an empty size gives no run.
std::vector<Run> ScanRuns(const std::uint8_t* pixels, std::int32_t width, std::int32_t height,
                          std::size_t bytesPerLine, std::uint32_t key);

struct Offset {
    std::int32_t x;
    std::int32_t y;
    friend bool operator==(const Offset&, const Offset&) = default;
};

// Where the client area starts inside a framed window, assuming equal frames on
// left, right and bottom: the side frame is half the width difference, the top
// is the height difference less one side frame. Halves round to the even
// neighbour, as the dialog layout this replaces did.
Offset HeaderOffset(std::int32_t outerWidth, std::int32_t outerHeight, std::int32_t clientWidth,
                    std::int32_t clientHeight);

} // namespace tuckaway::shaping
