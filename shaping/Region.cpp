#include "shaping/Region.h"

#include "shaping/RunScan.h"

#include <cstdint>

namespace tuckaway::shaping {

void Region::ScanPicture(HBITMAP picture, COLORREF& transColor) {
    m_hndRegion.reset(::CreateRectRgn(0, 0, 0, 0));
    if (!m_dib) {
        m_dib = std::make_unique<cDIBSection>();
    }
    m_dib->CreateFromPicture(picture);
    if (!m_dib->DIBSectionBitsPtr() || !m_hndRegion) {
        return;
    }
    std::uint32_t key = transColor;
    const auto runs =
        ScanRuns(m_dib->DIBSectionBitsPtr(), m_dib->Width(), m_dib->Height(), m_dib->BytesPerScanLine(), key);
    transColor = key;
    // One rectangle per run, merged at once: a region per pixel would be far slower
    // and per-row rectangles are what the system stores anyway.
    for (const Run& run : runs) {
        const win32::UniqueRegion rect(::CreateRectRgn(run.left, run.top, run.right, run.bottom));
        if (rect) {
            ::CombineRgn(m_hndRegion.get(), m_hndRegion.get(), rect.get(), RGN_OR);
        }
    }
}

void Region::OffsetHeader(HWND hWnd) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_STYLE));
    if ((style & (WS_BORDER | WS_THICKFRAME | WS_DLGFRAME | WS_CAPTION)) == 0) {
        return;
    }
    RECT outer{};
    RECT client{};
    if (!::GetWindowRect(hWnd, &outer) || !::GetClientRect(hWnd, &client)) {
        return;
    }
    const Offset offset = HeaderOffset(outer.right - outer.left, outer.bottom - outer.top,
                                       client.right - client.left, client.bottom - client.top);
    if (m_hndRegion) {
        ::OffsetRgn(m_hndRegion.get(), offset.x, offset.y);
    }
}

bool Region::ApplyRgn(HWND hWnd) const {
    if (!m_hndRegion) {
        return false;
    }
    win32::UniqueRegion copy(::CreateRectRgn(0, 0, 0, 0));
    if (!copy || ::CombineRgn(copy.get(), m_hndRegion.get(), copy.get(), RGN_OR) == ERROR) {
        return false;
    }
    if (!::SetWindowRgn(hWnd, copy.get(), TRUE)) {
        return false; // still ours: freed on return
    }
    copy.release(); // the window deletes it when it gets another region or is destroyed
    return true;
}

} // namespace tuckaway::shaping
