#pragma once

// A window outline built from a skin picture: every pixel that is not the key
// colour belongs to the window, everything else is cut away.

#include "handles/Handles.h"
#include "shaping/RunScan.h"
#include "shaping/cDIBSection.h"

#include <windows.h>

#include <memory>
#include <span>

namespace tuckaway::shaping {

// The union of the runs as one region, made by a single system call.
win32::UniqueRegion RegionFromRuns(std::span<const Run> runs);

class Region {
public:
    Region() = default;
    ~Region() = default;
    Region(const Region&) = delete;
    Region& operator=(const Region&) = delete;
    Region(Region&&) noexcept = default;
    Region& operator=(Region&&) noexcept = default;

    // Rebuilds the region from the picture's non-key pixels, in picture coordinates.
    // A transColor of 1 means "the picture's bottom-left pixel" and receives that
    // colour. If the picture cannot be read the region is left empty.
    void ScanPicture(HBITMAP picture, COLORREF& transColor);
    // Shifts the region by the window's frame and title bar so the picture lines up
    // with the client area. Windows without any border are left alone.
    void OffsetHeader(HWND hWnd);
    // Gives the window its own copy of the region (the window then owns the copy).
    // False, and the window unchanged, before the first scan or if the system refuses.
    bool ApplyRgn(HWND hWnd) const;

    // The current region, still owned here; null until the first scan.
    HRGN hndRegion() const { return m_hndRegion.get(); }

private:
    win32::UniqueRegion m_hndRegion;
    // Made on first use. Its copy of the picture is let go once scanned: no
    // one reads it again, and it would hold as much memory as the skin itself.
    std::unique_ptr<cDIBSection> m_dib;
};

} // namespace tuckaway::shaping
