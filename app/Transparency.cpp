#include "app/Transparency.h"

namespace tuckaway {

std::vector<shaping::Run> KeyColourRuns(const std::uint8_t* pixels, std::int32_t width, std::int32_t height,
                                        std::size_t bytesPerLine, std::uint32_t key) {
    std::vector<shaping::Run> runs;
    if (!pixels || width <= 0 || height <= 0) {
        return runs;
    }
    const auto isKey = [&](const std::uint8_t* pixel) {
        const std::uint32_t colour =
            pixel[2] | (std::uint32_t{pixel[1]} << 8) | (std::uint32_t{pixel[0]} << 16);
        return colour == key;
    };
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* line = pixels + static_cast<std::size_t>(height - 1 - y) * bytesPerLine;
        std::int32_t x = 0;
        while (x < width) {
            if (!isKey(line + 3 * static_cast<std::size_t>(x))) {
                ++x;
                continue;
            }
            const std::int32_t start = x;
            while (x < width && isKey(line + 3 * static_cast<std::size_t>(x))) {
                ++x;
            }
            runs.push_back({start, y, x, y + 1});
        }
    }
    return runs;
}

} // namespace tuckaway
