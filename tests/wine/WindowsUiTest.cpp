#include "windows/WindowsUi.h"
#include "handles/Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

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

// The windows' events go nowhere here (the capture fields' keys are counted):
// these tests look at the windows.
class NoEvents final : public ui::Events {
public:
    void Idle() override {}
    void TimerTicked() override {}
    void GameWindowWatched() override {}
    void TrayEvent(std::intptr_t) override {}
    void MainWindowResized(bool) override {}
    void MainWindowCloseRequested() override {}
    void SessionEndQueried() override {}
    void SessionEnding() override {}
    void TaskbarCreated() override {}
    void ForegroundChanged() override {}
    void GameChosen(int) override {}
    void ScreenResCheckClicked(bool) override {}
    void MainDialogOkay() override {}
    void MainDialogMouseMove(unsigned, unsigned, int, int) override {}
    void HotkeyFieldKeyDown(ui::HotkeyField, unsigned, unsigned) override { ++fieldKeys; }
    void HotkeyFieldKeyUp(ui::HotkeyField, unsigned, unsigned) override { ++fieldKeys; }
    void HotkeyDialogOkay() override {}
    void HotkeyDialogMouseMove(unsigned, unsigned, int, int) override {}

    int fieldKeys = 0;
};

class WindowsUiTest : public ::testing::Test {
protected:
    HWND Dialog(ui::Dialog dialog) { return reinterpret_cast<HWND>(windows.DialogWindow(dialog).value); }

    NoEvents events;
    WindowsUi windows{::GetModuleHandleW(nullptr), events};
};

TEST_F(WindowsUiTest, DialogsAreCutToTheirSkins) {
    windows.CreateDialogWindow(ui::Dialog::Main);
    windows.CreateDialogWindow(ui::Dialog::Hotkey);
    windows.ShapeDialog(ui::Dialog::Main);
    windows.ShapeDialog(ui::Dialog::Hotkey);
    for (ui::Dialog dialog : {ui::Dialog::Main, ui::Dialog::Hotkey}) {
        const UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
        ASSERT_EQ(::GetWindowRgn(Dialog(dialog), region.get()), COMPLEXREGION);
        // The corners lie outside the rounded plates; the middle inside.
        EXPECT_FALSE(::PtInRegion(region.get(), 0, 0));
        EXPECT_TRUE(::PtInRegion(region.get(), 150, 70));
    }
    // The main skin's top row is all outline colour.
    const UniqueRegion main(::CreateRectRgn(0, 0, 0, 0));
    ::GetWindowRgn(Dialog(ui::Dialog::Main), main.get());
    RECT box{};
    ::GetRgnBox(main.get(), &box);
    EXPECT_GE(box.top, 1);
    EXPECT_LE(box.bottom, 449);
}

TEST_F(WindowsUiTest, CheckBoxLosesExactlyItsButtonFacePixels) {
    windows.CreateDialogWindow(ui::Dialog::Main);
    windows.ShowDialog(ui::Dialog::Main);
    ::SetForegroundWindow(Dialog(ui::Dialog::Main));
    Pump(300);
    HWND check = windows.mainDialog().Control(MainDialogControl::ScreenResCheck);
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

    windows.SetControlTransparent(true);
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
    windows.SetControlTransparent(false);
    const UniqueRegion whole(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(::GetWindowRgn(check, whole.get()), SIMPLEREGION);
    RECT box{};
    ::GetRgnBox(whole.get(), &box);
    EXPECT_EQ(box.right, client.right);
    EXPECT_EQ(box.bottom, client.bottom);
}

// After a hide the hidden hot-key dialog is the foreground window: the keys
// the user presses then must not rewrite its fields.
TEST_F(WindowsUiTest, CaptureFieldsTakeKeysOnlyWhileTheDialogIsShown) {
    windows.CreateDialogWindow(ui::Dialog::Hotkey);
    HWND field = windows.hotkeyDialog().Control(HotkeyDialogControl::Text1);
    ASSERT_TRUE(field);
    ::SendMessageW(field, WM_KEYDOWN, VK_CONTROL, 0);
    ::SendMessageW(field, WM_KEYUP, VK_CONTROL, 0);
    EXPECT_EQ(events.fieldKeys, 0);

    windows.ShowDialog(ui::Dialog::Hotkey);
    ::SendMessageW(field, WM_KEYDOWN, VK_CONTROL, 0);
    ::SendMessageW(field, WM_KEYUP, VK_CONTROL, 0);
    EXPECT_EQ(events.fieldKeys, 2);
}

} // namespace
} // namespace tuckaway::win32
