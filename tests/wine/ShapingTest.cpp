#include "handles/Handles.h"
#include "shaping/Picture.h"
#include "shaping/Region.h"
#include "shaping/RunScan.h"
#include "shaping/cDIBSection.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <olectl.h>

#include <cstring>
#include <vector>

namespace tuckaway::shaping {
namespace {

constexpr int kHotkeySkin = 201;
constexpr int kMainSkin = 202;

class Shaping : public ::testing::Test {
protected:
    static win32::UniqueBitmap Skin(int id) {
        auto skin = LoadPictureResource(::GetModuleHandleW(nullptr), id);
        EXPECT_TRUE(skin) << "skin " << id;
        return skin;
    }
};

std::vector<RECT> Rectangles(HRGN region) {
    const DWORD bytes = ::GetRegionData(region, 0, nullptr);
    std::vector<unsigned char> buffer(bytes);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (bytes == 0 || ::GetRegionData(region, bytes, data) != bytes) {
        return {};
    }
    std::vector<RECT> rects(data->rdh.nCount);
    std::memcpy(rects.data(), data->Buffer, rects.size() * sizeof(RECT));
    return rects;
}

// How many of the region's rectangles cover picture row y.
int RectsOnRow(const std::vector<RECT>& rects, LONG y) {
    int count = 0;
    for (const RECT& rect : rects) {
        count += rect.top <= y && y < rect.bottom;
    }
    return count;
}

win32::UniqueWindow Window(DWORD style) {
    return win32::UniqueWindow(::CreateWindowExW(0, L"STATIC", L"shaping test", style, 40, 40, 400, 300,
                                                 nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
}

TEST_F(Shaping, DibSectionHasPaddedBottomUpRowsAndKeepsItsSizeAfterClearUp) {
    cDIBSection dib;
    ASSERT_TRUE(dib.Create(5, 2));
    EXPECT_EQ(dib.BytesPerScanLine(), 16u);
    ASSERT_NE(dib.DIBSectionBitsPtr(), nullptr);
    // All 32 bytes of the image are the DIB's own: write them all, read them back.
    std::memset(dib.DIBSectionBitsPtr(), 0x5A, 32);
    EXPECT_EQ(dib.DIBSectionBitsPtr()[31], 0x5A);

    dib.ClearUp();
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(dib.Width(), 5);
    EXPECT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.BytesPerScanLine(), 16u);

    EXPECT_FALSE(dib.Create(70000, 70000)) << "an image size past 32 bits is refused";
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
}

TEST_F(Shaping, CopiedPictureStartsWithItsBottomRowAndReplacesTheOldDib) {
    const auto skin = Skin(kHotkeySkin);
    ASSERT_TRUE(skin);
    cDIBSection dib;
    ASSERT_TRUE(dib.CreateFromPicture(skin.get()));
    ASSERT_EQ(dib.Width(), 572);
    ASSERT_EQ(dib.Height(), 141);
    EXPECT_EQ(dib.BytesPerScanLine(), 1716u);

    const win32::UniqueMemoryDc reference(::CreateCompatibleDC(nullptr));
    const HGDIOBJ previous = ::SelectObject(reference.get(), skin.get());
    const auto memoryRow = [&](int line, int x) {
        const std::uint8_t* pixel = dib.DIBSectionBitsPtr() + line * dib.BytesPerScanLine() + 3 * x;
        return RGB(pixel[2], pixel[1], pixel[0]);
    };
    bool topDiffers = false;
    for (int x = 0; x < 572; ++x) {
        ASSERT_EQ(memoryRow(0, x), ::GetPixel(reference.get(), x, 140)) << "x " << x;
        ASSERT_EQ(memoryRow(140, x), ::GetPixel(reference.get(), x, 0)) << "x " << x;
        topDiffers |= memoryRow(0, x) != memoryRow(140, x);
    }
    EXPECT_TRUE(topDiffers) << "top and bottom rows must differ for the order to be checked";
    ::SelectObject(reference.get(), previous);

    const auto other = Skin(kMainSkin);
    ASSERT_TRUE(dib.CreateFromPicture(other.get()));
    EXPECT_EQ(dib.Width(), 299);
    EXPECT_EQ(dib.BytesPerScanLine(), 900u);
}

// What the system's picture loader (OLE) makes of a skin resource.
win32::UniqueBitmap SystemPicture(int id) {
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
    const DWORD size = ::SizeofResource(module, found);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(memory), ::LockResource(::LoadResource(module, found)), size);
    ::GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        ::GlobalFree(memory);
        return {};
    }
    IPicture* picture = nullptr;
    const HRESULT loaded = ::OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                            reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(loaded)) {
        return {};
    }
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    // The picture deletes its bitmap when released.
    win32::UniqueBitmap copy(static_cast<HBITMAP>(
        ::CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0)));
    picture->Release();
    return copy;
}

TEST_F(Shaping, SkinsDecodeToThePixelsTheSystemPictureLoaderGives) {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    for (const int id : {kHotkeySkin, kMainSkin}) {
        cDIBSection ours;
        cDIBSection system;
        const auto reference = SystemPicture(id);
        ASSERT_TRUE(ours.CreateFromPicture(Skin(id).get()));
        ASSERT_TRUE(system.CreateFromPicture(reference.get())) << "skin " << id;
        ASSERT_EQ(ours.Width(), system.Width());
        ASSERT_EQ(ours.Height(), system.Height());
        int differing = 0;
        for (int line = 0; line < ours.Height(); ++line) {
            const std::size_t start = std::size_t{ours.BytesPerScanLine()} * line;
            differing += std::memcmp(ours.DIBSectionBitsPtr() + start, system.DIBSectionBitsPtr() + start,
                                     3 * static_cast<std::size_t>(ours.Width())) != 0;
        }
        EXPECT_EQ(differing, 0) << "rows of skin " << id;
    }
    ::OleUninitialize();
}

TEST_F(Shaping, MissingOrUnreadablePictureGivesNothing) {
    EXPECT_FALSE(LoadPictureResource(::GetModuleHandleW(nullptr), 299));
    const char junk[] = "not a picture at all";
    EXPECT_FALSE(LoadPictureBytes(junk, sizeof junk));

    Region region;
    COLORREF key = 1;
    region.ScanPicture(nullptr, key);
    ASSERT_NE(region.hndRegion(), nullptr);
    RECT box{};
    EXPECT_EQ(::GetRgnBox(region.hndRegion(), &box), NULLREGION);
    EXPECT_EQ(key, 1u);
}

TEST_F(Shaping, SkinsScanToTheirOutlines) {
    const auto hotkey = Skin(kHotkeySkin);
    Region region;
    COLORREF key = 1;
    region.ScanPicture(hotkey.get(), key);
    EXPECT_EQ(key, RGB(30, 30, 30));
    auto rects = Rectangles(region.hndRegion());
    ASSERT_FALSE(rects.empty());
    // Rows with the same span merge into one rectangle, so count per row, not in all.
    for (LONG y = 0; y < 141; ++y) {
        EXPECT_EQ(RectsOnRow(rects, y), 1) << "row " << y;
    }
    RECT box{};
    ::GetRgnBox(region.hndRegion(), &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 572);
    EXPECT_EQ(box.bottom, 141);

    const auto main = Skin(kMainSkin);
    key = 1;
    region.ScanPicture(main.get(), key);
    EXPECT_EQ(key, RGB(69, 69, 69));
    rects = Rectangles(region.hndRegion());
    EXPECT_EQ(RectsOnRow(rects, 0), 0);
    EXPECT_EQ(RectsOnRow(rects, 449), 0);
    EXPECT_EQ(RectsOnRow(rects, 450), 0);
    for (LONG y = 1; y < 449; ++y) {
        EXPECT_GE(RectsOnRow(rects, y), 1) << "row " << y;
    }
    ::GetRgnBox(region.hndRegion(), &box);
    EXPECT_EQ(box.top, 1);
    EXPECT_EQ(box.bottom, 449);

    key = RGB(1, 2, 3); // a colour the skin does not use: everything is kept
    region.ScanPicture(main.get(), key);
    EXPECT_EQ(key, RGB(1, 2, 3));
    ::GetRgnBox(region.hndRegion(), &box);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.bottom, 451);
}

// The outline the skin should give, built without the scanner: every pixel
// read back from the picture, each row's runs merged one call at a time.
win32::UniqueRegion ReferenceOutline(HBITMAP skin, COLORREF key) {
    BITMAP size{};
    ::GetObjectW(skin, sizeof size, &size);
    const win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    const win32::SelectedObject selected(dc.get(), skin);
    win32::UniqueRegion outline(::CreateRectRgn(0, 0, 0, 0));
    for (LONG y = 0; y < size.bmHeight; ++y) {
        LONG x = 0;
        while (x < size.bmWidth) {
            while (x < size.bmWidth && ::GetPixel(dc.get(), x, y) == key) {
                ++x;
            }
            const LONG start = x;
            while (x < size.bmWidth && ::GetPixel(dc.get(), x, y) != key) {
                ++x;
            }
            if (x > start) {
                const win32::UniqueRegion run(::CreateRectRgn(start, y, x, y + 1));
                ::CombineRgn(outline.get(), outline.get(), run.get(), RGN_OR);
            }
        }
    }
    return outline;
}

TEST_F(Shaping, OneCallGivesTheOutlineThatPixelByPixelMergingGives) {
    for (const int id : {kHotkeySkin, kMainSkin}) {
        const auto skin = Skin(id);
        Region region;
        COLORREF key = 1;
        region.ScanPicture(skin.get(), key);
        const auto reference = ReferenceOutline(skin.get(), key);
        EXPECT_TRUE(::EqualRgn(region.hndRegion(), reference.get())) << "skin " << id;
    }
    // No runs at all: an empty region, not a failure.
    const win32::UniqueRegion empty = RegionFromRuns({});
    ASSERT_TRUE(empty);
    RECT box{};
    EXPECT_EQ(::GetRgnBox(empty.get(), &box), NULLREGION);
}

TEST_F(Shaping, ShapedWindowGetsACopyOfTheRegion) {
    const auto skin = Skin(kHotkeySkin);
    Region region;
    COLORREF key = 1;
    EXPECT_FALSE(region.ApplyRgn(nullptr)) << "nothing scanned yet";
    region.ScanPicture(skin.get(), key);
    const auto window = Window(WS_POPUP);
    ASSERT_TRUE(window);

    const win32::UniqueRegion shape(::CreateRectRgn(0, 0, 0, 0));
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(region.ApplyRgn(window.get())) << "round " << round;
        EXPECT_EQ(::GetObjectType(region.hndRegion()), static_cast<DWORD>(OBJ_REGION));
        ASSERT_NE(::GetWindowRgn(window.get(), shape.get()), ERROR);
        EXPECT_TRUE(::EqualRgn(shape.get(), region.hndRegion())) << "round " << round;
    }
    EXPECT_FALSE(region.ApplyRgn(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234))));
    EXPECT_EQ(::GetObjectType(region.hndRegion()), static_cast<DWORD>(OBJ_REGION));
}

TEST_F(Shaping, OffsetHeaderMovesByTheFrameOnlyWhenThereIsOne) {
    const auto skin = Skin(kHotkeySkin);
    Region region;
    COLORREF key = 1;
    RECT before{};
    RECT after{};

    const auto borderless = Window(WS_POPUP);
    region.ScanPicture(skin.get(), key);
    ::GetRgnBox(region.hndRegion(), &before);
    region.OffsetHeader(borderless.get());
    ::GetRgnBox(region.hndRegion(), &after);
    EXPECT_TRUE(::EqualRect(&before, &after));

    const auto framed = Window(WS_OVERLAPPEDWINDOW);
    RECT outer{};
    RECT client{};
    ::GetWindowRect(framed.get(), &outer);
    ::GetClientRect(framed.get(), &client);
    const Offset expected =
        HeaderOffset(outer.right - outer.left, outer.bottom - outer.top, client.right, client.bottom);
    EXPECT_GT(expected.x, 0);
    EXPECT_GT(expected.y, expected.x) << "a title bar sits above the client area";
    region.OffsetHeader(framed.get());
    ::GetRgnBox(region.hndRegion(), &after);
    EXPECT_EQ(after.left, before.left + expected.x);
    EXPECT_EQ(after.top, before.top + expected.y);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
}

} // namespace
} // namespace tuckaway::shaping
