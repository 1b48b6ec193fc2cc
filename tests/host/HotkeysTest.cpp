#include "hotkeys/Hotkeys.h"
#include "app/Tuckaway.h"
#include "fake/FakeSystem.h"
#include "host/StartUp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tuckaway {

using namespace tuckaway::ui;
namespace {

using Lines = std::vector<std::string>;

std::string Failure(std::string_view what, std::string_view combination) {
    return "Could not register '" + std::string(combination) + "' to " + std::string(what) +
           " the game. Another program may already be using that key combination. Please enter in a "
           "different key combination for it.";
}

class Binding : public ::testing::Test {
protected:
    fake::FakeSystem fake;
    Tuckaway app{fake.Services(), fake};
    Program& program = app.program;

    void Start(std::string_view hideFunc, std::string_view hideKey, std::string_view showFunc,
               std::string_view showKey) {
        fake.registry = {{"HideQ3Func", std::string(hideFunc)},
                         {"HideQ3Key", std::string(hideKey)},
                         {"ShowQ3Func", std::string(showFunc)},
                         {"ShowQ3Key", std::string(showKey)}};
        ASSERT_TRUE(StartUp(app, fake));
    }
};

TEST_F(Binding, EachModifierTextRegistersItsValue) {
    const std::vector<std::pair<std::string, unsigned>> table = {
        {"Control+Alt+Shift", 7}, {"Control+Alt", 3}, {"Control", 2},
        {"Alt+Shift", 5},         {"Alt", 1},         {"Shift", 4},
        {"Control+Shift", 6},
    };
    for (const auto& [text, value] : table) {
        fake::FakeSystem f;
        Tuckaway other(f.Services(), f);
        f.registry = {{"HideQ3Func", text}, {"ShowQ3Func", text}, {"HideQ3Key", "A"}, {"ShowQ3Key", "B"}};
        ASSERT_TRUE(StartUp(other, f));
        const auto v = std::to_string(value);
        EXPECT_EQ(f.LogStartingWith("RegisterHotKey"),
                  (Lines{"RegisterHotKey 0 " + v + " 65", "RegisterHotKey 1 " + v + " 66"}))
            << text;
        EXPECT_TRUE(f.boxes.empty()) << text;
    }
}

TEST_F(Binding, ModifierTextsMatchExactly) {
    for (const char* text :
         {"control", "CONTROL", "Ctrl", "Shift+Control", "Control+Alt+Shift ", " Alt", "Alt+"}) {
        fake::FakeSystem f;
        Tuckaway other(f.Services(), f);
        Program& p = other.program;
        f.registry = {{"HideQ3Func", text}, {"ShowQ3Func", "Shift"}};
        ASSERT_TRUE(StartUp(other, f));
        EXPECT_EQ(f.LogStartingWith("RegisterHotKey"), Lines{"RegisterHotKey 1 4 90"}) << text;
        ASSERT_EQ(f.boxes.size(), 1u) << text;
        EXPECT_EQ(f.boxes[0].text, Failure("hide", std::string(text) + "+Z"));
        EXPECT_FALSE(p.varer.HideKeyRegistered);
        EXPECT_TRUE(p.varer.ShowKeyRegistered);
    }
}

TEST_F(Binding, KeyCodeIsTheFirstCharacterAsTyped) {
    Start("Control", "F12", "Control", "q");
    EXPECT_EQ(fake.LogStartingWith("RegisterHotKey"),
              (Lines{"RegisterHotKey 0 2 70", "RegisterHotKey 1 2 113"}));
}

TEST_F(Binding, HideFailureIsReportedAndRestoreIsStillBound) {
    fake.heldElsewhere = {{2, 'Z'}};
    Start("Control", "Z", "Control+Shift", "Z");
    EXPECT_EQ(fake.LogStartingWith("RegisterHotKey"),
              (Lines{"RegisterHotKey 0 2 90", "RegisterHotKey 1 6 90"}));
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, Failure("hide", "Control+Z"));
    EXPECT_EQ(fake.boxes[0].caption, "Tuckaway v1.0");
    EXPECT_EQ(fake.boxes[0].style, os::BoxStyle::OkError);
    EXPECT_FALSE(program.varer.HideKeyRegistered);
    EXPECT_TRUE(program.varer.ShowKeyRegistered);
    // Both attempts come first; the box once the main dialog and the tray icon are up.
    const auto at = [&](const std::string& line) {
        return std::ranges::find(fake.log, line) - fake.log.begin();
    };
    EXPECT_LT(at("RegisterHotKey 1 6 90"), at("ShowMainDialog"));
    EXPECT_LT(at("Tray 0"), at("MessageBox " + Failure("hide", "Control+Z")));
}

TEST_F(Binding, RestoreFailureIsReportedAsShow) {
    fake.heldElsewhere = {{6, 'Z'}};
    ASSERT_TRUE(StartUp(app, fake));
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, Failure("show", "Control+Shift+Z"));
    EXPECT_TRUE(program.varer.HideKeyRegistered);
    EXPECT_FALSE(program.varer.ShowKeyRegistered);
    // Start-up reports into the main window's pair only.
    EXPECT_FALSE(program.form1.HideKeyRegistered);
    EXPECT_FALSE(program.form1.ShowKeyRegistered);
}

TEST_F(Binding, EmptyKeyIsNeverRegistered) {
    fake.dialogExists[Dialog::Hotkey] = true;
    app.form1.SetText(HotkeyField::Text1, "Control");
    app.form1.SetText(HotkeyField::Text2, "Alt");
    app.form1.SetText(HotkeyField::Text4, "K");
    bool hide = false;
    bool show = false;
    hotkeys::BindHotkeys(program, hide, show);
    EXPECT_EQ(fake.LogStartingWith("RegisterHotKey"), Lines{"RegisterHotKey 1 1 75"});
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, Failure("hide", "Control+"));
    EXPECT_FALSE(hide);
    EXPECT_TRUE(show);
}

TEST(KeyCode, FirstCharacterOfUtf8Text) {
    EXPECT_EQ(hotkeys::KeyCode("Z"), 90u);
    EXPECT_EQ(hotkeys::KeyCode("zebra"), 122u);
    EXPECT_EQ(hotkeys::KeyCode("\xC3\xA9"), 0xE9u);            // é
    EXPECT_EQ(hotkeys::KeyCode("\xE2\x82\xAC!"), 0x20ACu);     // €
    EXPECT_EQ(hotkeys::KeyCode("\xF0\x9F\x98\x80"), 0x1F600u); // emoji
    EXPECT_FALSE(hotkeys::KeyCode(""));
}

TEST(KeyCode, MalformedSequenceGivesItsFirstByte) {
    EXPECT_EQ(hotkeys::KeyCode("\xC3"), 0xC3u);         // cut short
    EXPECT_EQ(hotkeys::KeyCode("\xE2\x82"), 0xE2u);     // cut short
    EXPECT_EQ(hotkeys::KeyCode("\xC3Z"), 0xC3u);        // not a continuation
    EXPECT_EQ(hotkeys::KeyCode("\xFF\xBF\xBF"), 0xFFu); // no such lead
    // A stray continuation byte must not turn into a digit key.
    EXPECT_EQ(hotkeys::KeyCode("\xB1"), 0xB1u);
    EXPECT_EQ(hotkeys::KeyCode("\x80Z"), 0x80u);
}

TEST(KeyCode, OverlongOrOutOfRangeSequenceGivesItsFirstByte) {
    // An overlong form of "Z" must not bind the Z key.
    EXPECT_EQ(hotkeys::KeyCode("\xC1\x9A"), 0xC1u);
    EXPECT_EQ(hotkeys::KeyCode("\xE0\x81\x9A"), 0xE0u);
    // Surrogates and code points past U+10FFFF are not characters.
    EXPECT_EQ(hotkeys::KeyCode("\xED\xA0\x80"), 0xEDu);
    EXPECT_EQ(hotkeys::KeyCode("\xF4\x90\x80\x80"), 0xF4u);
}

class Procedure : public ::testing::Test {
protected:
    fake::FakeSystem fake;
    Tuckaway app{fake.Services(), fake};
    Program& program = app.program;
    os::Window game;

    void SetUp() override {
        game = fake.AddGameWindow("Quake 3: Arena");
        program.frmAbout.Text1 = "Quake 3: Arena";
        program.PrevWndProc = 0x7777;
    }
};

TEST_F(Procedure, HotKeyMessagesHideOrRestoreAndAreNotPassedOn) {
    const auto hwnd = fake::FakeSystem::kHotkeyDialogWindow;
    EXPECT_EQ(hotkeys::HotkeyProc(program, hwnd, 0x0312, 0, 0x5A0002), 1);
    EXPECT_FALSE(fake.visible[game.value]);
    // A hidden game is still the game: the restore key brings it back.
    EXPECT_EQ(hotkeys::HotkeyProc(program, hwnd, 0x0312, 1, 0x5A0006), 1);
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_EQ(fake.LogStartingWith("ShowWindow"), (Lines{"ShowWindow " + std::to_string(game.value) + " 0",
                                                         "ShowWindow " + std::to_string(game.value) + " 9"}));
    EXPECT_TRUE(fake.LogStartingWith("CallWindowProc").empty());
    EXPECT_TRUE(fake.LogStartingWith("TypeCombination").empty());
    EXPECT_TRUE(fake.LogStartingWith("UnregisterHotKey").empty());
}

TEST_F(Procedure, WithoutAGameWindowTheKeysGoOnToTheFocusedWindow) {
    const auto hwnd = fake::FakeSystem::kHotkeyDialogWindow;
    fake.dialogExists[Dialog::Hotkey] = true;
    ASSERT_TRUE(fake.RegisterHotKey(hwnd, 0, 2, 'Z'));
    ASSERT_TRUE(fake.RegisterHotKey(hwnd, 1, 6, 'Z'));
    // A press already queued behind this one must wait until this one has gone on.
    bool queuedRan = false;
    fake.pending.push_back([&] { queuedRan = true; });
    // The chosen game is not running; then automatic detection has found nothing.
    for (const char* title : {"Wolfenstein", " "}) {
        program.frmAbout.Text1 = title;
        fake.log.clear();
        EXPECT_EQ(hotkeys::HotkeyProc(program, hwnd, 0x0312, 0, 0x5A0002), 1);
        EXPECT_EQ(hotkeys::HotkeyProc(program, hwnd, 0x0312, 1, 0x5A0006), 1);
        // The blank of automatic detection is not even looked up.
        const Lines lookup = std::string(title) == " " ? Lines{} : Lines{"FindWindow " + std::string(title)};
        Lines expected = lookup;
        for (const Lines& more :
             {Lines{"UnregisterHotKey 0", "TypeCombination 2 90", "RegisterHotKey 0 2 90"}, lookup,
              Lines{"UnregisterHotKey 1", "TypeCombination 6 90", "RegisterHotKey 1 6 90"}}) {
            expected.insert(expected.end(), more.begin(), more.end());
        }
        EXPECT_EQ(fake.log, expected);
    }
    EXPECT_FALSE(queuedRan);
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_EQ(fake.registered.size(), 2u);
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(Procedure, ACombinationTakenWhileItWasLetGoIsReportedAsAtStartUp) {
    const auto hwnd = fake::FakeSystem::kHotkeyDialogWindow;
    fake.dialogExists[Dialog::Hotkey] = true;
    app.form1.SetText(HotkeyField::Text1, "Control");
    app.form1.SetText(HotkeyField::Text3, "Z");
    ASSERT_TRUE(fake.RegisterHotKey(hwnd, 0, 2, 'Z'));
    program.frmAbout.Text1 = " ";
    fake.whileTyping = [&] { fake.heldElsewhere.emplace_back(2, 'Z'); };
    hotkeys::HotkeyProc(program, hwnd, 0x0312, 0, 0x5A0002);
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, Failure("hide", "Control+Z"));
    EXPECT_EQ(fake.boxes[0].style, os::BoxStyle::OkError);
    EXPECT_TRUE(fake.registered.empty());
}

TEST_F(Procedure, OtherMessagesGoToThePreviousProcedureUnchanged) {
    std::vector<std::tuple<os::Window, unsigned, std::uintptr_t, std::intptr_t>> seen;
    fake.previousProc = [&](os::Window w, unsigned m, std::uintptr_t wp, std::intptr_t lp) {
        seen.emplace_back(w, m, wp, lp);
        return std::intptr_t{-12345};
    };
    const auto hwnd = fake::FakeSystem::kHotkeyDialogWindow;
    for (const unsigned message : {0x0010u, 0x0111u, 0x0313u, 0x0311u}) {
        EXPECT_EQ(hotkeys::HotkeyProc(program, hwnd, message, 1, -7), -12345);
    }
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[2], std::make_tuple(hwnd, 0x0313u, std::uintptr_t{1}, std::intptr_t{-7}));
    EXPECT_EQ(fake.LogStartingWith("CallWindowProc"), Lines(4, "CallWindowProc 30583"));
    EXPECT_TRUE(fake.LogStartingWith("FindWindow").empty());
    EXPECT_TRUE(fake.visible[game.value]);
}

} // namespace
} // namespace tuckaway
