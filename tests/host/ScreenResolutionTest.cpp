#include "fake/FakeSystem.h"
#include "hotkeys/Hotkeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tuckaway {

using namespace tuckaway::ui;
namespace {

using Lines = std::vector<std::string>;

const std::string kRestartText = "You must restart your computer to apply these changes.\r\n\r\nRestart now?";

// The display is at 640x480, so every other size is a change.
class ScreenResolution : public ::testing::Test {
protected:
    fake::FakeSystem fake;
    void SetUp() override { fake.displaySize = {640, 480}; }

    bool Set(std::int32_t width, std::int32_t height) {
        return hotkeys::SetScreenResolution(fake, fake, width, height);
    }
};

TEST_F(ScreenResolution, RequestsWidthAndHeightOnTopOfTheFirstEnumeratedMode) {
    fake.enumeratedMode = {0x7FFFFFFF, 320, 200, 16, 75};
    EXPECT_TRUE(Set(1024, 768));
    EXPECT_EQ(fake.log, (Lines{"EnumerateMode 0", "ChangeMode 1024x768"}));
    ASSERT_EQ(fake.modeChanges.size(), 1u);
    const auto& [mode, flags] = fake.modeChanges[0];
    EXPECT_EQ(mode.fields, 0x00180000u);
    EXPECT_EQ(mode.width, 1024);
    EXPECT_EQ(mode.height, 768);
    EXPECT_EQ(mode.bitsPerPixel, 16u);
    EXPECT_EQ(mode.frequency, 75u);
    EXPECT_EQ(flags, 1u);
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(ScreenResolution, FailedEnumerationChangesNothing) {
    fake.enumerationFails = true;
    EXPECT_FALSE(Set(1024, 768));
    EXPECT_EQ(fake.log, Lines{"EnumerateMode 0"});
}

TEST_F(ScreenResolution, RestartNeededAsksAndRestartsOnYes) {
    fake.changeResult = os::kDisplayChangeRestart;
    fake.answers = {os::BoxAnswer::Yes};
    EXPECT_TRUE(Set(800, 600));
    EXPECT_EQ(fake.log, (Lines{"EnumerateMode 0", "ChangeMode 800x600", "MessageBox " + kRestartText,
                               "RequestRestart"}));
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].caption, "Screen Resolution Changed");
    EXPECT_EQ(fake.boxes[0].style, os::BoxStyle::YesNoInformation);
}

TEST_F(ScreenResolution, RestartNeededAndDeclinedFails) {
    fake.changeResult = os::kDisplayChangeRestart;
    fake.answers = {os::BoxAnswer::No};
    EXPECT_FALSE(Set(800, 600));
    EXPECT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.restarts, 0);
}

TEST_F(ScreenResolution, OtherResultsFailSilently) {
    for (const std::int32_t code : {-1, -2, -3, -4, -5, -6, 2}) {
        fake.changeResult = code;
        EXPECT_FALSE(Set(800, 600)) << code;
    }
    EXPECT_TRUE(fake.boxes.empty());
    EXPECT_EQ(fake.restarts, 0);
    EXPECT_EQ(fake.modeChanges.size(), 7u);
}

} // namespace
} // namespace tuckaway
