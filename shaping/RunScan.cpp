#include "shaping/RunScan.h"

#include <limits>

namespace tuckaway::shaping {

namespace {

constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();

std::uint32_t PixelAt(const std::uint8_t* pixel) {
    // Memory holds B,G,R; a COLORREF holds R in the low byte.
    return static_cast<std::uint32_t>(pixel[2]) | static_cast<std::uint32_t>(pixel[1]) << 8 |
           static_cast<std::uint32_t>(pixel[0]) << 16;
}

// value / 2 rounded to nearest, an exact half to the even neighbour.
std::int64_t HalfToEven(std::int64_t value) {
    std::int64_t floor = value / 2;
    if (value % 2 != 0 && value < 0) {
        --floor; // C++ division truncates towards zero
    }
    if (value % 2 != 0 && floor % 2 != 0) {
        ++floor;
    }
    return floor;
}

} // namespace

std::optional<std::uint32_t> BytesPerScanLine(std::int32_t width) {
    if (width < 0) {
        return std::nullopt;
    }
    const std::uint64_t padded = static_cast<std::uint64_t>(width) * 3 + 3;
    if (padded > kMax32) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(padded & ~std::uint64_t{3});
}

std::optional<std::uint32_t> DibImageSize(std::int32_t width, std::int32_t height) {
    const auto stride = BytesPerScanLine(width);
    if (!stride || height < 0) {
        return std::nullopt;
    }
    const std::uint64_t size = std::uint64_t{*stride} * static_cast<std::uint64_t>(height);
    if (size > kMax32) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(size);
}

std::uint32_t PictureKey(const std::uint8_t* pixels, std::int32_t width, std::int32_t height,
                         std::uint32_t transColor) {
    if (transColor != kKeyFromPicture || pixels == nullptr || width <= 0 || height <= 0) {
        return transColor;
    }
    return PixelAt(pixels);
}

std::vector<Run> ScanRuns(const std::uint8_t* pixels, std::int32_t width, std::int32_t height,
                          std::size_t bytesPerLine, std::uint32_t key) {
    std::vector<Run> runs;
    if (pixels == nullptr || width <= 0 || height <= 0) {
        return runs;
    }
    // Only the three colour bytes take part; a COLORREF's high byte is a flag, not a colour.
    const std::uint32_t colour = key & 0x00FFFFFFu;
    // Top row first, the order a region's rectangles are kept in.
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + static_cast<std::size_t>(height - 1 - y) * bytesPerLine;
        std::int32_t x = 0;
        while (x < width) {
            while (x < width && PixelAt(row + 3 * static_cast<std::size_t>(x)) == colour) {
                ++x;
            }
            const std::int32_t start = x;
            while (x < width && PixelAt(row + 3 * static_cast<std::size_t>(x)) != colour) {
                ++x;
            }
            if (x > start) {
                runs.push_back({start, y, x, y + 1});
            }
        }
    }
    return runs;
}

Offset HeaderOffset(std::int32_t outerWidth, std::int32_t outerHeight, std::int32_t clientWidth,
                    std::int32_t clientHeight) {
    const std::int64_t side = HalfToEven(std::int64_t{outerWidth} - clientWidth);
    // The top is a whole number of pixels once the side is; rounding it again changes nothing.
    const std::int64_t top = std::int64_t{outerHeight} - clientHeight - side;
    return {static_cast<std::int32_t>(side), static_cast<std::int32_t>(top)};
}

} // namespace tuckaway::shaping
