#include "state/Sizes.h"

#include <charconv>

namespace tuckaway::sizes {

std::string ToText(std::int32_t pixels) {
    return std::to_string(pixels);
}

std::optional<std::int32_t> Parse(std::string_view text) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace tuckaway::sizes
