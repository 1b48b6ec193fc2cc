#include "shaping/Gif.h"

#include "shaping/RunScan.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace tuckaway::shaping {
namespace {

constexpr std::size_t kMaxCodes = 4096; // codes are at most 12 bits

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool Has(std::size_t count) const { return bytes_.size() - at_ >= count; }
    std::uint8_t Byte() { return bytes_[at_++]; }
    std::uint16_t Word() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | Byte() << 8);
    }
    std::span<const std::uint8_t> Take(std::size_t count) {
        const auto taken = bytes_.subspan(at_, count);
        at_ += count;
        return taken;
    }
    // A run of sub-blocks, each led by its length, up to the empty one.
    bool SubBlocks(std::vector<std::uint8_t>* into) {
        while (Has(1)) {
            const std::size_t length = Byte();
            if (length == 0) {
                return true;
            }
            if (!Has(length)) {
                return false;
            }
            const auto block = Take(length);
            if (into) {
                into->insert(into->end(), block.begin(), block.end());
            }
        }
        return false;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// Hands the colour indices of an image's LZW data to `put`, `count` of them in
// order. False if the data ends early or holds a code that cannot come next,
// or if `put` refuses an index.
template <typename Put>
bool Decompress(std::span<const std::uint8_t> data, unsigned minimumSize, std::size_t count, Put put) {
    const unsigned clear = 1u << minimumSize;
    const unsigned end = clear + 1;
    // A code's string is its prefix code's string and one more index; the
    // codes below `clear` are the single indices.
    std::array<std::uint16_t, kMaxCodes> prefix{};
    std::array<std::uint8_t, kMaxCodes> suffix{};
    std::array<std::uint8_t, kMaxCodes> first{};
    for (unsigned code = 0; code < clear; ++code) {
        suffix[code] = first[code] = static_cast<std::uint8_t>(code);
    }
    std::array<std::uint8_t, kMaxCodes> reversed{};
    std::size_t done = 0;
    const auto emit = [&](std::uint8_t index) { return done == count || put(done++, index); };

    unsigned size = minimumSize + 1;
    unsigned next = clear + 2;
    // The code before this one; none right after a clear code.
    constexpr unsigned kNone = kMaxCodes;
    unsigned previous = kNone;
    std::uint32_t bits = 0;
    unsigned held = 0;
    std::size_t at = 0;
    while (done < count) {
        while (held < size && at < data.size()) {
            bits |= static_cast<std::uint32_t>(data[at++]) << held;
            held += 8;
        }
        if (held < size) {
            return false;
        }
        const unsigned code = bits & ((1u << size) - 1);
        bits >>= size;
        held -= size;
        if (code == clear) {
            size = minimumSize + 1;
            next = clear + 2;
            previous = kNone;
            continue;
        }
        if (code == end || code > next || (previous == kNone && code > clear)) {
            return false;
        }
        // The one code not in the table yet stands for the previous string
        // followed by that string's first index.
        const bool fresh = code == next;
        const unsigned known = fresh ? previous : code;
        std::size_t length = 0;
        for (unsigned c = known;; c = prefix[c]) {
            reversed[length++] = suffix[c];
            if (c < clear) {
                break;
            }
        }
        for (std::size_t i = length; i-- > 0;) {
            if (!emit(reversed[i])) {
                return false;
            }
        }
        if (fresh && !emit(first[known])) {
            return false;
        }
        if (previous != kNone && next < kMaxCodes) {
            prefix[next] = static_cast<std::uint16_t>(previous);
            suffix[next] = first[known];
            first[next] = first[previous];
            ++next;
            if (next == 1u << size && size < 12) {
                ++size;
            }
        }
        previous = code;
    }
    return true;
}

} // namespace

bool DecodeGif(std::span<const std::uint8_t> bytes, const DibTarget& target) {
    Reader in(bytes);
    if (!in.Has(13)) {
        return false;
    }
    const auto signature = in.Take(6);
    if (!std::equal(signature.begin(), signature.begin() + 3, "GIF")) {
        return false;
    }
    const std::uint16_t width = in.Word();
    const std::uint16_t height = in.Word();
    const std::uint8_t screen = in.Byte();
    in.Take(2); // background colour and aspect ratio: the image covers the picture
    std::span<const std::uint8_t> colours;
    const auto table = [&](std::uint8_t flags) {
        const std::size_t size = 3u << ((flags & 7) + 1);
        if (!in.Has(size)) {
            return false;
        }
        colours = in.Take(size);
        return true;
    };
    if ((screen & 0x80) && !table(screen)) {
        return false;
    }
    while (in.Has(1)) {
        const std::uint8_t block = in.Byte();
        if (block == 0x21) { // an extension: its label, then sub-blocks nobody here needs
            if (!in.Has(1)) {
                return false;
            }
            in.Byte();
            if (!in.SubBlocks(nullptr)) {
                return false;
            }
            continue;
        }
        if (block != 0x2C || !in.Has(9)) {
            return false;
        }
        const std::array<std::uint16_t, 4> frame{in.Word(), in.Word(), in.Word(), in.Word()};
        const std::uint8_t image = in.Byte();
        if (frame != std::array<std::uint16_t, 4>{0, 0, width, height} || (image & 0x40) ||
            ((image & 0x80) && !table(image)) || !in.Has(1)) {
            return false;
        }
        const unsigned minimumSize = in.Byte();
        std::vector<std::uint8_t> data;
        const auto stride = BytesPerScanLine(width);
        if (minimumSize < 2 || minimumSize > 8 || !in.SubBlocks(&data) || !stride) {
            return false;
        }
        std::uint8_t* rows = target(width, height);
        if (!rows) {
            return false;
        }
        return Decompress(data, minimumSize, std::size_t{width} * height,
                          [&](std::size_t i, std::uint8_t index) {
                              const std::size_t colour = 3 * std::size_t{index};
                              if (colour + 3 > colours.size()) {
                                  return false;
                              }
                              std::uint8_t* pixel =
                                  rows + (height - 1 - i / width) * std::size_t{*stride} + 3 * (i % width);
                              pixel[0] = colours[colour + 2];
                              pixel[1] = colours[colour + 1];
                              pixel[2] = colours[colour];
                              return true;
                          });
    }
    return false;
}

} // namespace tuckaway::shaping
