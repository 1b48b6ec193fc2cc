#pragma once

// Display sizes are held as decimal text ("1024") and become numbers only
// where a display mode is requested or a height is compared.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tuckaway::sizes {

std::string ToText(std::int32_t pixels);

// A plain decimal integer that fits 32 bits; anything else gives nothing, so a
// stray stored or empty text never becomes a display mode.
std::optional<std::int32_t> Parse(std::string_view text);

} // namespace tuckaway::sizes
