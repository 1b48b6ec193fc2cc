#include "os/win32/WindowsUi.h"
#include "os/win32/Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <ole2.h>

namespace tuckaway::win32 {
namespace {

void Pump(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    while (::GetTickCount() < end) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::Sleep(5);
    }
}

class WindowsUiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::OleInitialize(nullptr); }
    static void TearDownTestSuite() { ::OleUninitialize(); }

    HWND Dialog(tuckaway::Dialog dialog) { return reinterpret_cast<HWND>(ui.DialogWindow(dialog).value); }

    WindowsUi ui{::GetModuleHandleW(nullptr)};
};

TEST_F(WindowsUiTest, DialogsAreCutToTheirSkins) {
    ui.CreateDialogWindow(tuckaway::Dialog::Main);
    ui.CreateDialogWindow(tuckaway::Dialog::Hotkey);
    ui.ShapeDialog(tuckaway::Dialog::Main);
    ui.ShapeDialog(tuckaway::Dialog::Hotkey);
    for (tuckaway::Dialog dialog : {tuckaway::Dialog::Main, tuckaway::Dialog::Hotkey}) {
        const UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
        ASSERT_EQ(::GetWindowRgn(Dialog(dialog), region.get()), COMPLEXREGION);
        // The corners lie outside the rounded plates; the middle inside.
        EXPECT_FALSE(::PtInRegion(region.get(), 0, 0));
        EXPECT_TRUE(::PtInRegion(region.get(), 150, 70));
    }
    // The main skin's top row is all outline colour.
    const UniqueRegion main(::CreateRectRgn(0, 0, 0, 0));
    ::GetWindowRgn(Dialog(tuckaway::Dialog::Main), main.get());
    RECT box{};
    ::GetRgnBox(main.get(), &box);
    EXPECT_GE(box.top, 1);
    EXPECT_LE(box.bottom, 449);
}

TEST_F(WindowsUiTest, CheckBoxLosesExactlyItsButtonFacePixels) {
    ui.CreateDialogWindow(tuckaway::Dialog::Main);
    ui.ShowDialog(tuckaway::Dialog::Main);
    ::SetForegroundWindow(Dialog(tuckaway::Dialog::Main));
    Pump(300);
    HWND check =
        ::GetDlgItem(Dialog(tuckaway::Dialog::Main), static_cast<int>(MainDialogControl::ScreenResCheck));
    ASSERT_TRUE(check);

    // What the control shows now, read pixel by pixel: the reference.
    RECT client{};
    ::GetClientRect(check, &client);
    const COLORREF key = ::GetSysColor(COLOR_BTNFACE);
    std::vector<bool> background;
    int keyPixels = 0;
    {
        const WindowDc dc(check);
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; ++x) {
                background.push_back(::GetPixel(dc.get(), x, y) == key);
                keyPixels += background.back() ? 1 : 0;
            }
        }
    }
    ASSERT_GT(keyPixels, 0) << "the check box must paint the button face before the cut";

    ui.SetControlTransparent(true);
    const UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(check, region.get()), ERROR);
    int mismatches = 0;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const bool kept = ::PtInRegion(region.get(), x, y) != FALSE;
            mismatches += kept == background[static_cast<std::size_t>(y * client.right + x)] ? 1 : 0;
        }
    }
    EXPECT_EQ(mismatches, 0);

    // Switched off, the control gets its whole rectangle back.
    ui.SetControlTransparent(false);
    const UniqueRegion whole(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(::GetWindowRgn(check, whole.get()), SIMPLEREGION);
    RECT box{};
    ::GetRgnBox(whole.get(), &box);
    EXPECT_EQ(box.right, client.right);
    EXPECT_EQ(box.bottom, client.bottom);
}

} // namespace
} // namespace tuckaway::win32
