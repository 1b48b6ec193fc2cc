#include "app/Tuckaway.h"
#include "fake/FakeSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tuckaway {

using namespace tuckaway::ui;
namespace {

using Lines = std::vector<std::string>;

constexpr unsigned kVkShift = 0x10;
constexpr unsigned kVkControl = 0x11;
constexpr unsigned kVkMenu = 0x12;
constexpr unsigned kVkF5 = 0x74;

class HotkeyDialog : public ::testing::Test {
protected:
    void SetUp() override {
        app.form1.Load();
        fake.log.clear();
    }
    void Enter(std::string_view hideMods, std::string_view hideKey, std::string_view showMods,
               std::string_view showKey) {
        app.form1.SetText(HotkeyField::Text1, hideMods);
        app.form1.SetText(HotkeyField::Text3, hideKey);
        app.form1.SetText(HotkeyField::Text2, showMods);
        app.form1.SetText(HotkeyField::Text4, showKey);
    }
    const std::string& Field(HotkeyField field) { return program.form1.Text(field); }

    fake::FakeSystem fake;
    Tuckaway app{fake.Services(), fake};
    Program& program = app.program;
    Form1& form = app.form1;
};

TEST_F(HotkeyDialog, ModifierFieldsListHeldModifiersInAFixedOrder) {
    // Pressed Shift, then Alt, then Control: still written Control, Alt, Shift.
    form.Text2_KeyDown(kVkShift, kShiftMask);
    EXPECT_EQ(Field(HotkeyField::Text2), "Shift");
    form.Text2_KeyDown(kVkMenu, kShiftMask | kAltMask);
    EXPECT_EQ(Field(HotkeyField::Text2), "Alt+Shift");
    form.Text2_KeyDown(kVkControl, kShiftMask | kAltMask | kControlMask);
    EXPECT_EQ(Field(HotkeyField::Text2), "Control+Alt+Shift");
    form.KeyUp(HotkeyField::Text2);
    EXPECT_EQ(Field(HotkeyField::Text2), "Control+Alt+Shift");
    EXPECT_EQ(fake.shownFields[HotkeyField::Text2], "Control+Alt+Shift");

    // A letter without modifiers empties the field; its release shows "None".
    form.Text1_KeyDown('Q', 0);
    EXPECT_EQ(Field(HotkeyField::Text1), "");
    form.KeyUp(HotkeyField::Text1);
    EXPECT_EQ(Field(HotkeyField::Text1), "None");
}

TEST_F(HotkeyDialog, KeyFieldsTakeOnlyLetters) {
    form.Text3_KeyDown('Q', kShiftMask);
    EXPECT_EQ(Field(HotkeyField::Text3), "Q");
    form.KeyUp(HotkeyField::Text3);
    EXPECT_EQ(Field(HotkeyField::Text3), "Q");

    for (unsigned key : {unsigned{'7'}, kVkF5, kVkShift}) {
        form.Text4_KeyDown('A', 0);
        form.Text4_KeyDown(key, 0);
        EXPECT_EQ(Field(HotkeyField::Text4), "") << key;
        form.KeyUp(HotkeyField::Text4);
        EXPECT_EQ(Field(HotkeyField::Text4), "None") << key;
    }
}

TEST_F(HotkeyDialog, OkayStoresAndRegistersTheNewKeysAndHides) {
    fake.dialogVisible[Dialog::Hotkey] = true;
    Enter("Control+Alt", "H", "Control+Alt", "R");
    form.Command2_Click();
    EXPECT_EQ(fake.log, (Lines{"UnregisterHotKey 0", "UnregisterHotKey 1", "Write HideQ3Func=Control+Alt",
                               "Write ShowQ3Func=Control+Alt", "Write HideQ3Key=H", "Write ShowQ3Key=R",
                               "RegisterHotKey 0 3 72", "RegisterHotKey 1 3 82", "HideHotkeyDialog"}));
    EXPECT_TRUE(program.form1.HideKeyRegistered);
    EXPECT_TRUE(program.form1.ShowKeyRegistered);
    // The start-up pair is the main window's and stays as it was.
    EXPECT_FALSE(program.varer.HideKeyRegistered);
    EXPECT_FALSE(fake.dialogVisible[Dialog::Hotkey]);
}

TEST_F(HotkeyDialog, OkayRefusesIncompleteOrIdenticalEntriesWithoutWriting) {
    struct Case {
        const char* hideMods;
        const char* hideKey;
        const char* showMods;
        const char* showKey;
        const char* message;
    };
    const Case cases[] = {
        {"None", "Z", "Control+Shift", "Z",
         "Error: Please enter something into the Hot Key field to Hide the game."},
        {"Control", "None", "Control+Shift", "Z",
         "Error: Please enter something into the Hot Key field to Hide the game."},
        // A key still held when the button is pressed leaves the field empty.
        {"Control", "", "Control+Shift", "Z",
         "Error: Please enter something into the Hot Key field to Hide the game."},
        {"Control", "Z", "None", "Z",
         "Error: Please enter something into the Hot Key field to Restore the game."},
        {"Control", "Z", "Control+Shift", "",
         "Error: Please enter something into the Hot Key field to Restore the game."},
        {"Control", "Z", "Control", "Z",
         "Error: You cannot assign the same key command to both show and hide the game!"},
    };
    for (const Case& c : cases) {
        fake.log.clear();
        fake.boxes.clear();
        fake.dialogVisible[Dialog::Hotkey] = true;
        Enter(c.hideMods, c.hideKey, c.showMods, c.showKey);
        form.Command2_Click();
        ASSERT_EQ(fake.boxes.size(), 1u) << c.message;
        EXPECT_EQ(fake.boxes[0].text, c.message);
        EXPECT_EQ(fake.boxes[0].caption, "Tuckaway v1.0");
        EXPECT_EQ(fake.boxes[0].style, os::BoxStyle::OkError);
        // Both hot keys are gone and nothing else happened.
        EXPECT_EQ(fake.log, (Lines{"UnregisterHotKey 0", "UnregisterHotKey 1",
                                   "MessageBox " + std::string(c.message)}));
        EXPECT_TRUE(fake.dialogVisible[Dialog::Hotkey]);
    }
}

TEST_F(HotkeyDialog, SameModifiersOrSameLetterAloneAreAccepted) {
    Enter("Control", "H", "Control", "R");
    form.Command2_Click();
    Enter("Control", "Z", "Alt", "Z");
    form.Command2_Click();
    EXPECT_TRUE(fake.boxes.empty());
    EXPECT_EQ(fake.registry["ShowQ3Func"], "Alt");
}

TEST_F(HotkeyDialog, ATakenCombinationIsStoredReportedAndTheDialogStillHides) {
    fake.heldElsewhere.push_back({2, 'Z'});
    fake.dialogVisible[Dialog::Hotkey] = true;
    Enter("Control", "Z", "Control+Shift", "Z");
    form.Command2_Click();
    EXPECT_EQ(fake.registry["HideQ3Func"], "Control");
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text,
              "Could not register 'Control+Z' to hide the game. Another program may already be "
              "using that key combination. Please enter in a different key combination for it.");
    EXPECT_FALSE(program.form1.HideKeyRegistered);
    EXPECT_TRUE(program.form1.ShowKeyRegistered);
    EXPECT_FALSE(fake.dialogVisible[Dialog::Hotkey]);
}

TEST_F(HotkeyDialog, OnlyTheLeftButtonAloneDragsEitherDialog) {
    form.Label5_MouseMove(kLeftButton, 0, 10, 10);
    form.Label5_MouseMove(0, 0, 10, 10);
    form.Label5_MouseMove(2, 0, 10, 10);
    form.Label5_MouseMove(kLeftButton | 2, 0, 10, 10);
    app.frmAbout.Label1_MouseMove(kLeftButton, kShiftMask, 5, 5);
    app.frmAbout.Label1_MouseMove(4, 0, 5, 5);
    EXPECT_EQ(fake.log, (Lines{"DragHotkeyDialog", "DragMainDialog"}));
}

} // namespace
} // namespace tuckaway
