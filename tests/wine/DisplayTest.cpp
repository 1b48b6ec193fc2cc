#include "hotkeys/Hotkeys.h"
#include "windows/Services.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace tuckaway::win32 {
namespace {

os::Size ScreenSize() {
    return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

// Needs a display whose mode can change (a virtual desktop under Wine); the
// original mode is always put back.
class DisplayTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (ScreenSize() != original) {
            hotkeys::SetScreenResolution(display, boxes, original.width, original.height);
        }
        EXPECT_EQ(ScreenSize(), original);
    }
    const os::Size original = ScreenSize();
    Display display;
    MessageBoxes boxes;
};

TEST_F(DisplayTest, SwitchesToASupportedSizeAndBack) {
    ASSERT_NE(original, (os::Size{800, 600})) << "the test display must start elsewhere than 800 x 600";
    EXPECT_TRUE(hotkeys::SetScreenResolution(display, boxes, 800, 600));
    EXPECT_EQ(ScreenSize(), (os::Size{800, 600}));
    EXPECT_TRUE(hotkeys::SetScreenResolution(display, boxes, original.width, original.height));
    EXPECT_EQ(ScreenSize(), original);
}

TEST_F(DisplayTest, ASizeTheDisplayDoesNotOfferFailsSilentlyAndChangesNothing) {
    // A box here would block the test run: failing silently is the point.
    EXPECT_FALSE(hotkeys::SetScreenResolution(display, boxes, 1234, 567));
    EXPECT_EQ(ScreenSize(), original);
}

TEST_F(DisplayTest, ModeZeroIsTheFirstListedModeNotTheCurrentOne) {
    os::DisplayMode first;
    ASSERT_TRUE(display.EnumerateMode(0, first));
    EXPECT_GT(first.width, 0);
    EXPECT_GT(first.height, 0);
    os::DisplayMode beyond;
    EXPECT_FALSE(display.EnumerateMode(100000, beyond));
}

} // namespace
} // namespace tuckaway::win32
