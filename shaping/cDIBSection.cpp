#include "shaping/cDIBSection.h"

#include "shaping/RunScan.h"

#include <utility>

namespace tuckaway::shaping {

cDIBSection::cDIBSection() : m_tBI{} {
    m_tBI.biSize = sizeof(BITMAPINFOHEADER);
    m_tBI.biPlanes = 1;
    m_tBI.biBitCount = 24;
    m_tBI.biCompression = BI_RGB;
}

cDIBSection::~cDIBSection() {
    ClearUp();
}

cDIBSection::cDIBSection(cDIBSection&& other) noexcept
    : m_hDC(std::move(other.m_hDC)), m_hDib(std::move(other.m_hDib)), m_hBmpOld(std::move(other.m_hBmpOld)),
      m_lPtr(std::exchange(other.m_lPtr, nullptr)), m_tBI(other.m_tBI) {}

cDIBSection& cDIBSection::operator=(cDIBSection&& other) noexcept {
    if (this != &other) {
        ClearUp();
        m_hDC = std::move(other.m_hDC);
        m_hDib = std::move(other.m_hDib);
        m_hBmpOld = std::move(other.m_hBmpOld);
        m_lPtr = std::exchange(other.m_lPtr, nullptr);
        m_tBI = other.m_tBI;
    }
    return *this;
}

bool cDIBSection::CreateDIB(HDC lHDC, std::int32_t lWidth, std::int32_t lHeight, HBITMAP& hDib) {
    m_tBI.biWidth = lWidth;
    m_tBI.biHeight = lHeight; // positive: bottom-up rows
    const auto size = DibImageSize(lWidth, lHeight);
    m_tBI.biSizeImage = size.value_or(0);
    m_lPtr = nullptr;
    hDib = nullptr;
    if (!size) {
        return false;
    }
    hDib = ::CreateDIBSection(lHDC, reinterpret_cast<const BITMAPINFO*>(&m_tBI), DIB_RGB_COLORS, &m_lPtr,
                              nullptr, 0);
    if (!hDib) {
        m_lPtr = nullptr;
    }
    return hDib != nullptr;
}

bool cDIBSection::CreateFromPicture(HBITMAP picThis) {
    BITMAP size{};
    if (::GetObjectW(picThis, sizeof size, &size) == 0) {
        size = BITMAP{};
    }
    if (!Create(size.bmWidth, size.bmHeight)) {
        return false;
    }
    win32::UniqueMemoryDc source;
    {
        const win32::WindowDc screen(::GetDesktopWindow());
        if (!screen.get()) {
            return false;
        }
        source.reset(::CreateCompatibleDC(screen.get()));
    }
    if (!source) {
        return false;
    }
    const win32::SelectedObject picture(source.get(), picThis);
    if (!picture) {
        return false; // the picture is selected elsewhere or is not a bitmap
    }
    return LoadPictureBlt(source.get(), 0, 0, -1, -1, SRCCOPY);
}

bool cDIBSection::Create(std::int32_t lWidth, std::int32_t lHeight) {
    ClearUp();
    m_hDC.reset(::CreateCompatibleDC(nullptr));
    if (!m_hDC) {
        return false;
    }
    HBITMAP dib = nullptr;
    if (CreateDIB(m_hDC.get(), lWidth, lHeight, dib)) {
        m_hDib.reset(dib);
        m_hBmpOld = win32::SelectedObject(m_hDC.get(), dib);
        return true;
    }
    m_hDC.reset();
    return false;
}

bool cDIBSection::LoadPictureBlt(HDC lHDC, std::int32_t lSrcLeft, std::int32_t lSrcTop,
                                 std::int32_t lSrcWidth, std::int32_t lSrcHeight, DWORD eRop) {
    if (lSrcWidth < 0) {
        lSrcWidth = m_tBI.biWidth;
    }
    if (lSrcHeight < 0) {
        lSrcHeight = m_tBI.biHeight;
    }
    return ::BitBlt(m_hDC.get(), 0, 0, lSrcWidth, lSrcHeight, lHDC, lSrcLeft, lSrcTop, eRop) != FALSE;
}

void cDIBSection::ClearUp() {
    // In this order: a bitmap still selected into a DC cannot be deleted.
    m_hBmpOld.Restore();
    m_hDib.reset();
    m_hDC.reset();
    m_lPtr = nullptr;
}

std::uint32_t cDIBSection::BytesPerScanLine() const {
    return shaping::BytesPerScanLine(m_tBI.biWidth).value_or(0);
}

} // namespace tuckaway::shaping
