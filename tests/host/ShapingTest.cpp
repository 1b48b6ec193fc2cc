#include "shaping/Gif.h"
#include "shaping/RunScan.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <random>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace tuckaway::shaping {
namespace {

using Runs = std::vector<Run>;

} // namespace

void PrintTo(const Run& run, std::ostream* out) {
    *out << "{" << run.left << "," << run.top << "," << run.right << "," << run.bottom << "}";
}
void PrintTo(const Offset& offset, std::ostream* out) {
    *out << "(" << offset.x << "," << offset.y << ")";
}

namespace {

// Builds a 24-bit bottom-up DIB from rows written top row first, as one reads a
// picture: '.' is the key (30,30,30), '#' is (200,10,5), 'o' differs from the key
// in its blue byte only. Each row gets stray padding bytes that must be ignored.
struct Dib {
    std::int32_t width;
    std::int32_t height;
    std::size_t stride;
    std::vector<std::uint8_t> bytes;

    explicit Dib(const std::vector<std::string>& rows)
        : width(static_cast<std::int32_t>(rows.front().size())),
          height(static_cast<std::int32_t>(rows.size())), stride(*BytesPerScanLine(width)),
          bytes(stride * rows.size(), 0xEE) {
        for (std::size_t y = 0; y < rows.size(); ++y) {
            std::uint8_t* line = bytes.data() + (rows.size() - 1 - y) * stride;
            for (std::size_t x = 0; x < rows[y].size(); ++x) {
                const char c = rows[y][x];
                const std::uint8_t b = c == '.' ? 30 : c == '#' ? 5 : 31;
                const std::uint8_t g = c == '.' ? 30 : c == '#' ? 10 : 30;
                const std::uint8_t r = c == '.' ? 30 : c == '#' ? 200 : 30;
                line[3 * x] = b;
                line[3 * x + 1] = g;
                line[3 * x + 2] = r;
            }
        }
    }
    Runs Scan(std::uint32_t key) const { return ScanRuns(bytes.data(), width, height, stride, key); }
    std::uint32_t Key(std::uint32_t transColor) const {
        return PictureKey(bytes.data(), width, height, transColor);
    }
};

constexpr std::uint32_t kKey = 30 | 30 << 8 | 30 << 16;
constexpr std::uint32_t kHash = 200 | 10 << 8 | 5 << 16;

TEST(ScanRuns, GivesNoRunForAllKeyEmptyOrMissingPictures) {
    EXPECT_TRUE(Dib({"....", "...."}).Scan(kKey).empty());
    const Dib single({"#"});
    EXPECT_TRUE(single.Scan(single.Key(kKeyFromPicture)).empty()) << "the only pixel is its own key";
    EXPECT_TRUE(ScanRuns(nullptr, 4, 4, 12, kKey).empty());
    const Dib dib({"##"});
    EXPECT_TRUE(ScanRuns(dib.bytes.data(), 0, 1, dib.stride, kKey).empty());
    EXPECT_TRUE(ScanRuns(dib.bytes.data(), 2, 0, dib.stride, kKey).empty());
}

TEST(ScanRuns, SplitsRowsIntoMaximalRunsIncludingEdgesAndHoles) {
    // Top row first, though memory holds the bottom row first.
    EXPECT_EQ(Dib({"#..##", // row 0: starts at the left edge, ends at the right edge
                   ".#o#.", // row 1: colours off by one byte are not the key
                   "##.##"})
                  .Scan(kKey),
              (Runs{{0, 0, 1, 1}, {3, 0, 5, 1}, {1, 1, 4, 2}, {0, 2, 2, 3}, {3, 2, 5, 3}}));
    EXPECT_EQ(Dib({"#####"}).Scan(kKey), (Runs{{0, 0, 5, 1}}));
    // A palette flag in the high byte does not change the colour.
    EXPECT_EQ(Dib({"#."}).Scan(kKey | 0x02000000u), (Runs{{0, 0, 1, 1}}));
}

TEST(ScanRuns, KeyOneIsTheBottomLeftPixelAndAnyOtherValueIsTheKey) {
    // The top-left pixel is '#', the bottom-left '.': the key must come from the bottom.
    const Dib dib({"#.", ".#"});
    EXPECT_EQ(dib.Key(kKeyFromPicture), kKey);
    EXPECT_EQ(dib.Scan(dib.Key(kKeyFromPicture)), (Runs{{0, 0, 1, 1}, {1, 1, 2, 2}}));
    EXPECT_EQ(dib.Key(kHash), kHash);
    EXPECT_EQ(dib.Scan(kHash), (Runs{{1, 0, 2, 1}, {0, 1, 1, 2}}));
    EXPECT_EQ(PictureKey(nullptr, 2, 2, kKeyFromPicture), kKeyFromPicture) << "nothing to read";
}

TEST(ScanRuns, CoverExactlyThePixelsThatAreNotTheKey) {
    // The check box is cut to these runs; a pixel of the key colour must never
    // stay, and a near miss of it must never go.
    std::mt19937 random(7);
    const char kinds[] = {'.', 'o', '#', '.'};
    for (int round = 0; round < 50; ++round) {
        std::vector<std::string> rows(1 + random() % 20, std::string(1 + random() % 40, '.'));
        std::set<std::pair<int, int>> expected;
        for (std::size_t y = 0; y < rows.size(); ++y) {
            for (std::size_t x = 0; x < rows[y].size(); ++x) {
                rows[y][x] = kinds[random() % 4];
                if (rows[y][x] != '.') {
                    expected.insert({static_cast<int>(x), static_cast<int>(y)});
                }
            }
        }
        std::set<std::pair<int, int>> kept;
        for (const shaping::Run& run : Dib(rows).Scan(kKey)) {
            ASSERT_EQ(run.bottom, run.top + 1);
            ASSERT_LT(run.left, run.right);
            for (std::int32_t x = run.left; x < run.right; ++x) {
                ASSERT_TRUE(kept.insert({x, run.top}).second) << "runs overlap";
            }
        }
        EXPECT_EQ(kept, expected);
    }
}

TEST(BytesPerScanLine, PadsThreeBytesAPixelToFourAndRefusesOverflow) {
    EXPECT_EQ(BytesPerScanLine(0), 0u);
    EXPECT_EQ(BytesPerScanLine(1), 4u);
    EXPECT_EQ(BytesPerScanLine(4), 12u);
    EXPECT_EQ(BytesPerScanLine(5), 16u);
    EXPECT_EQ(BytesPerScanLine(299), 900u);
    EXPECT_EQ(BytesPerScanLine(572), 1716u);
    EXPECT_EQ(BytesPerScanLine(1431655764), 4294967292u) << "the widest stride that fits";
    EXPECT_EQ(BytesPerScanLine(1431655765), std::nullopt);
    EXPECT_EQ(BytesPerScanLine(INT32_MAX), std::nullopt);
    EXPECT_EQ(BytesPerScanLine(-1), std::nullopt);

    EXPECT_EQ(DibImageSize(5, 2), 32u);
    EXPECT_EQ(DibImageSize(572, 141), 1716u * 141u);
    EXPECT_EQ(DibImageSize(65536, 65536), std::nullopt);
    EXPECT_EQ(DibImageSize(5, -2), std::nullopt);
}

TEST(HeaderOffset, HalvesTheFrameRoundingHalvesToEven) {
    // A 3-pixel frame and a 19-pixel title bar.
    EXPECT_EQ(HeaderOffset(306, 225, 300, 200), (Offset{3, 22}));
    EXPECT_EQ(HeaderOffset(100, 100, 100, 100), (Offset{0, 0}));
    EXPECT_EQ(HeaderOffset(101, 120, 100, 100), (Offset{0, 20})) << "0.5 goes down to 0";
    EXPECT_EQ(HeaderOffset(103, 120, 100, 100), (Offset{2, 18})) << "1.5 goes up to 2";
    EXPECT_EQ(HeaderOffset(105, 120, 100, 100), (Offset{2, 18})) << "2.5 goes down to 2";
    EXPECT_EQ(HeaderOffset(107, 120, 100, 100), (Offset{4, 16})) << "3.5 goes up to 4";
    EXPECT_EQ(HeaderOffset(99, 100, 100, 100), (Offset{0, 0})) << "-0.5 goes to 0";
    EXPECT_EQ(HeaderOffset(97, 100, 100, 100), (Offset{-2, 2})) << "-1.5 goes to -2";
}

// A 13 x 11 GIF with four colours and a control extension, as ImageMagick
// writes one; its pixels are SamplePixel's. Row 4 is one colour throughout,
// so the encoder uses codes in the step that defines them.
constexpr std::uint8_t kSampleGif[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x0d, 0x00, 0x0b, 0x00, 0xf1, 0x03, 0x00, 0x1e, 0x1e, 0x1e,
    0x10, 0x20, 0x30, 0x80, 0x00, 0x40, 0xff, 0xff, 0xff, 0x21, 0xf9, 0x04, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x0d, 0x00, 0x0b, 0x00, 0x00, 0x02, 0x30, 0x0c, 0x34, 0x86,
    0x9a, 0xe0, 0x2e, 0x62, 0x1c, 0x54, 0x80, 0x10, 0xaa, 0xc3, 0x03, 0x5d, 0x1b, 0x58, 0x1d, 0xd0,
    0x51, 0xe6, 0x79, 0x1e, 0xcd, 0xa2, 0x2a, 0x12, 0x72, 0x62, 0x99, 0x75, 0xcd, 0x74, 0x16, 0x92,
    0xa2, 0x30, 0x67, 0x47, 0x18, 0x1a, 0x90, 0x48, 0x21, 0x96, 0x71, 0x55, 0x00, 0x00, 0x3b,
};

std::array<std::uint8_t, 3> SamplePixel(int x, int y) {
    constexpr std::array<std::array<std::uint8_t, 3>, 4> kColours = {
        {{0x10, 0x20, 0x30}, {0xFF, 0xFF, 0xFF}, {0x80, 0x00, 0x40}, {0x1E, 0x1E, 0x1E}}};
    return kColours[y == 4 ? 1 : static_cast<std::size_t>((x * 7 + y * 3 + (x * y) % 5) % 4)];
}

// A decoded picture in memory of its own: its size and rows.
struct Decoded {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rows;
};
std::optional<Decoded> Decode(std::span<const std::uint8_t> bytes) {
    Decoded picture;
    const bool decoded = DecodeGif(bytes, [&](std::int32_t width, std::int32_t height) {
        picture = {width, height, std::vector<std::uint8_t>(*DibImageSize(width, height))};
        return picture.rows.data();
    });
    return decoded ? std::optional(picture) : std::nullopt;
}

TEST(Gif, DecodesIntoBottomUpPaddedRows) {
    const auto picture = Decode(kSampleGif);
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->width, 13);
    ASSERT_EQ(picture->height, 11);
    ASSERT_EQ(picture->rows.size(), 40u * 11u);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 13; ++x) {
            const std::uint8_t* pixel = picture->rows.data() + (10 - y) * 40 + 3 * x;
            const auto [r, g, b] = SamplePixel(x, y);
            EXPECT_EQ((std::array{pixel[2], pixel[1], pixel[0]}), (std::array{r, g, b})) << x << "," << y;
        }
    }
}

TEST(Gif, AnythingButOneWholeImageGivesNothing) {
    const std::vector<std::uint8_t> sample(std::begin(kSampleGif), std::end(kSampleGif));
    // Everything but the trailer is needed.
    for (std::size_t length = 0; length + 1 < sample.size(); ++length) {
        EXPECT_FALSE(Decode(std::span(sample.data(), length))) << "cut to " << length << " bytes";
    }
    const auto changed = [&](std::size_t at, std::uint8_t value) {
        auto bytes = sample;
        bytes[at] = value;
        return Decode(bytes);
    };
    EXPECT_FALSE(changed(0, 'J')) << "not a GIF";
    EXPECT_FALSE(changed(34, 1)) << "the image starts right of the picture's edge";
    EXPECT_FALSE(changed(42, 0x40)) << "interlaced";
    EXPECT_FALSE(changed(43, 9)) << "codes start wider than 9 bits";
    EXPECT_FALSE(changed(45, 0x0E)) << "the first code is not a colour";

    // Two pixels of colours 3 and 2 (codes: clear, 3, 2, end), which a table of
    // two colours lacks and one of four holds.
    std::vector<std::uint8_t> tiny = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0,    0x81, 0,    0,   1,
                                      1,   1,   2,   2,   2,   3,   3, 3, 4, 4,    4,    0x2C, 0,   0,
                                      0,   0,   2,   0,   1,   0,   0, 2, 2, 0x9C, 0x0A, 0,    0x3B};
    const auto decoded = Decode(tiny);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->rows, (std::vector<std::uint8_t>{4, 4, 4, 3, 3, 3, 0, 0}));
    tiny[10] = 0x80;
    tiny.erase(tiny.begin() + 19, tiny.begin() + 25);
    EXPECT_FALSE(Decode(tiny));
}

} // namespace
} // namespace tuckaway::shaping
