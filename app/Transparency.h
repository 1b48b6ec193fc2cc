#pragma once

// Which pixels of a control show a given colour, as whole runs per row: the
// check box of the main dialog loses exactly those pixels, cut a run at a time
// instead of one region call per pixel.

#include "shaping/RunScan.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tuckaway {

// Runs of pixels whose colour equals `key` (COLORREF layout) in a 24-bit
// bottom-up DIB, in the control's own coordinates (row 0 at the top).
std::vector<shaping::Run> KeyColourRuns(const std::uint8_t* pixels, std::int32_t width, std::int32_t height,
                                        std::size_t bytesPerLine, std::uint32_t key);

} // namespace tuckaway
