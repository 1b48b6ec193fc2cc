#include "app/Transparency.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

namespace tuckaway {
namespace {

// A bottom-up 24-bit picture whose pixels are either the key or another colour.
struct Picture {
    std::int32_t width;
    std::int32_t height;
    std::size_t stride;
    std::vector<std::uint8_t> bytes;

    Picture(std::int32_t w, std::int32_t h)
        : width(w), height(h), stride((static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3}),
          bytes(stride * static_cast<std::size_t>(h), 0) {}
    void Set(std::int32_t x, std::int32_t y, std::uint32_t colour) {
        std::uint8_t* pixel = bytes.data() + static_cast<std::size_t>(height - 1 - y) * stride + 3 * x;
        pixel[0] = static_cast<std::uint8_t>(colour >> 16);
        pixel[1] = static_cast<std::uint8_t>(colour >> 8);
        pixel[2] = static_cast<std::uint8_t>(colour);
    }
};

constexpr std::uint32_t kButtonFace = 0xF5F5F5;

TEST(KeyColourRuns, CoverExactlyThePixelsOfTheKeyColour) {
    // The per-pixel method cuts each key pixel on its own; the runs must cut the same set.
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        Picture picture(1 + static_cast<std::int32_t>(random() % 40),
                        1 + static_cast<std::int32_t>(random() % 20));
        std::set<std::pair<int, int>> expected;
        for (std::int32_t y = 0; y < picture.height; ++y) {
            for (std::int32_t x = 0; x < picture.width; ++x) {
                // Near misses of the key must stay.
                const std::uint32_t colours[] = {kButtonFace, 0xF5F5F4, 0x000000, 0xF4F5F5};
                const std::uint32_t colour = colours[random() % 4];
                picture.Set(x, y, colour);
                if (colour == kButtonFace) {
                    expected.insert({x, y});
                }
            }
        }
        std::set<std::pair<int, int>> cut;
        std::int32_t lastRow = -1;
        for (const shaping::Run& run : KeyColourRuns(picture.bytes.data(), picture.width, picture.height,
                                                     picture.stride, kButtonFace)) {
            ASSERT_EQ(run.bottom, run.top + 1);
            ASSERT_LT(run.left, run.right);
            ASSERT_GE(run.top, lastRow) << "rows come top to bottom";
            lastRow = run.top;
            for (std::int32_t x = run.left; x < run.right; ++x) {
                ASSERT_TRUE(cut.insert({x, run.top}).second) << "runs overlap";
            }
        }
        EXPECT_EQ(cut, expected);
    }
}

TEST(KeyColourRuns, AWholeKeyRowIsOneRunAndNoPixelsGiveNone) {
    Picture picture(5, 2);
    for (std::int32_t x = 0; x < 5; ++x) {
        picture.Set(x, 0, kButtonFace);
        picture.Set(x, 1, 0);
    }
    EXPECT_EQ(KeyColourRuns(picture.bytes.data(), 5, 2, picture.stride, kButtonFace),
              (std::vector<shaping::Run>{{0, 0, 5, 1}}));
    EXPECT_TRUE(KeyColourRuns(nullptr, 5, 2, picture.stride, kButtonFace).empty());
}

} // namespace
} // namespace tuckaway
