#pragma once

// A 24-bit bottom-up DIB section kept selected into its own memory DC, so a
// picture can be copied in with one BitBlt and its pixels read directly.

#include "handles/Handles.h"

#include <windows.h>

#include <cstdint>

namespace tuckaway::shaping {

class cDIBSection {
public:
    cDIBSection();
    ~cDIBSection();
    cDIBSection(const cDIBSection&) = delete;
    cDIBSection& operator=(const cDIBSection&) = delete;
    cDIBSection(cDIBSection&& other) noexcept;
    cDIBSection& operator=(cDIBSection&& other) noexcept;

    // Fills the header for lWidth x lHeight and creates the DIB section on lHDC's
    // colour format; the new handle goes to hDib, unowned. Selects and frees nothing.
    bool CreateDIB(HDC lHDC, std::int32_t lWidth, std::int32_t lHeight, HBITMAP& hDib);
    // Replaces the DIB with one of the picture's size holding a copy of its pixels.
    // The picture must not be selected into another DC. False if nothing was copied.
    bool CreateFromPicture(HBITMAP picThis);
    // Frees the current DIB and makes an empty one of the given size, selected into a new memory DC.
    bool Create(std::int32_t lWidth, std::int32_t lHeight);
    // Copies from lHDC into the DIB's top-left corner; a negative width or height means the DIB's own.
    bool LoadPictureBlt(HDC lHDC, std::int32_t lSrcLeft, std::int32_t lSrcTop, std::int32_t lSrcWidth,
                        std::int32_t lSrcHeight, DWORD eRop);
    // Deselects and deletes the DIB, then its DC. The header, and so the size, stays.
    void ClearUp();

    // The stride, width and height last asked for, kept after ClearUp or a failed create.
    std::uint32_t BytesPerScanLine() const;
    std::int32_t Width() const { return m_tBI.biWidth; }
    std::int32_t Height() const { return m_tBI.biHeight; }
    // The first byte of the bottom row; null while there is no DIB.
    std::uint8_t* DIBSectionBitsPtr() const { return static_cast<std::uint8_t*>(m_lPtr); }

private:
    win32::UniqueMemoryDc m_hDC;
    win32::UniqueBitmap m_hDib;
    // The DIB selected into the memory DC; the DC's own bitmap goes back before the DIB is deleted.
    win32::SelectedObject m_hBmpOld;
    void* m_lPtr = nullptr; // owned by m_hDib
    BITMAPINFOHEADER m_tBI;
};

} // namespace tuckaway::shaping
