#include "shaping/Region.h"

#include <algorithm>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tuckaway::shaping {

win32::UniqueRegion RegionFromRuns(std::span<const Run> runs) {
    if (runs.empty()) {
        return win32::UniqueRegion(::CreateRectRgn(0, 0, 0, 0));
    }
    // The rectangles follow the header in one block, as the system reads them.
    std::vector<std::byte> buffer(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(runs.size());
    data->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    RECT bound{runs.front().left, runs.front().top, runs.front().right, runs.front().bottom};
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    for (const Run& run : runs) {
        *rects++ = RECT{run.left, run.top, run.right, run.bottom};
        bound.left = std::min<LONG>(bound.left, run.left);
        bound.top = std::min<LONG>(bound.top, run.top);
        bound.right = std::max<LONG>(bound.right, run.right);
        bound.bottom = std::max<LONG>(bound.bottom, run.bottom);
    }
    data->rdh.rcBound = bound;
    return win32::UniqueRegion(::ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
}

void Region::ScanPicture(HBITMAP picture, COLORREF& transColor) {
    m_hndRegion.reset(::CreateRectRgn(0, 0, 0, 0));
    if (!m_dib) {
        m_dib = std::make_unique<cDIBSection>();
    }
    m_dib->CreateFromPicture(picture);
    const std::uint8_t* pixels = m_dib->DIBSectionBitsPtr();
    if (!pixels || !m_hndRegion) {
        return;
    }
    transColor = PictureKey(pixels, m_dib->Width(), m_dib->Height(), transColor);
    if (auto region = RegionFromRuns(
            ScanRuns(pixels, m_dib->Width(), m_dib->Height(), m_dib->BytesPerScanLine(), transColor))) {
        m_hndRegion = std::move(region);
    }
    m_dib->ClearUp();
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
