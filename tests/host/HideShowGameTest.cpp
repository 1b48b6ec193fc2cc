#include "app/Tuckaway.h"
#include "fake/FakeSystem.h"
#include "hotkeys/Hotkeys.h"
#include "state/Sizes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tuckaway {

using namespace tuckaway::ui;
namespace {

using Lines = std::vector<std::string>;

class HideShowGame : public ::testing::Test {
protected:
    fake::FakeSystem fake;
    Tuckaway app{fake.Services(), fake};
    Program& program = app.program;
    os::Window game;
    std::string gameId;
    const std::string dialogId = std::to_string(fake::FakeSystem::kHotkeyDialogWindow.value);

    // A running game at 640x480 on a 1024x768 desktop, switching on.
    void SetUp() override {
        fake.dialogExists[Dialog::Hotkey] = true;
        game = fake.AddGameWindow("Quake 3: Arena");
        gameId = std::to_string(game.value);
        program.frmAbout.Text1 = "Quake 3: Arena";
        Sizes("1024", "768", "640", "480");
        app.frmAbout.SetScreenResCheck(1);
        fake.displaySize = {640, 480};
        fake.log.clear();
    }

    // The display shows the running game's mode, which the hide takes as the game's.
    void Sizes(std::string desktopW, std::string desktopH, std::string gameW, std::string gameH) {
        if (const auto w = sizes::Parse(gameW), h = sizes::Parse(gameH); w && h) {
            fake.displaySize = {*w, *h};
        }
        program.varer.Text3 = std::move(desktopW);
        program.varer.Text4 = std::move(desktopH);
        program.varer.Text5 = std::move(gameW);
        program.varer.Text6 = std::move(gameH);
    }

    void Run(std::uint8_t action) {
        hotkeys::HideShowGame(program, action, hotkeys::FindGameWindow(program));
    }
};

TEST_F(HideShowGame, HideSwitchesToTheDesktopSize) {
    Run(0);
    EXPECT_FALSE(fake.visible[game.value]);
    EXPECT_EQ(fake.foreground, fake::FakeSystem::kHotkeyDialogWindow);
    EXPECT_EQ(fake.displaySize, (os::Size{1024, 768}));
    ASSERT_EQ(fake.modeChanges.size(), 1u);
    EXPECT_EQ(fake.modeChanges[0].second, os::kChangeUpdateRegistry);
    EXPECT_EQ(program.varer.Check1, 1);
}

TEST_F(HideShowGame, RestoreSwitchesToTheGameSize) {
    program.varer.Check1 = 1;
    fake.displaySize = {1024, 768};
    Run(1);
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_EQ(fake.foreground, game);
    EXPECT_EQ(fake.displaySize, (os::Size{640, 480}));
    EXPECT_EQ(program.varer.Check1, 0);
}

TEST_F(HideShowGame, Check1IsSetBeforeHideSwitchAndClearedAfterRestoreSwitchWhateverTheResult) {
    // A restart box is modal, so the rest of the program can look at Check1 meanwhile.
    fake.changeResult = os::kDisplayChangeRestart;
    std::vector<int> seen;
    fake.whileBoxOpen = [&] { seen.push_back(program.varer.Check1); };
    Run(0);
    EXPECT_EQ(program.varer.Check1, 1);
    fake.displaySize = {1024, 768};
    Run(1);
    EXPECT_EQ(program.varer.Check1, 0);
    EXPECT_EQ(seen, (std::vector<int>{1, 1}));

    fake.changeResult = -2;
    fake.displaySize = {640, 480};
    Run(0);
    EXPECT_EQ(program.varer.Check1, 1);
    fake.enumerationFails = true;
    Run(1);
    EXPECT_EQ(program.varer.Check1, 0);
}

TEST_F(HideShowGame, NoSwitchUnlessBothDimensionsDifferAndTheSwitchIsOn) {
    const auto noSwitch = [&](const char* why) {
        program.varer.Check1 = 0;
        Run(0);
        EXPECT_EQ(program.varer.Check1, 0) << why;
        program.varer.Check1 = 1;
        Run(1);
        EXPECT_EQ(program.varer.Check1, 1) << why;
        EXPECT_TRUE(fake.LogStartingWith("EnumerateMode").empty()) << why;
        EXPECT_EQ(fake.LogStartingWith("ShowWindow").size(), 2u) << why;
        fake.log.clear();
    };
    Sizes("1280", "1024", "1280", "960");
    noSwitch("same width");
    Sizes("1024", "768", "800", "768");
    noSwitch("same height");
    Sizes("1024", "768", "640", "480");
    app.frmAbout.SetScreenResCheck(0);
    fake.log.clear();
    noSwitch("switch off");
}

TEST_F(HideShowGame, EmptySizeMovesTheWindowButNotTheDisplay) {
    Sizes("", "768", "640", "480");
    Run(0);
    EXPECT_FALSE(fake.visible[game.value]);
    EXPECT_EQ(program.varer.Check1, 0);

    program.varer.Check1 = 1;
    Sizes("1024", "768", "", "480");
    Run(1);
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_EQ(program.varer.Check1, 1);
    EXPECT_TRUE(fake.LogStartingWith("EnumerateMode").empty());
}

TEST_F(HideShowGame, OnlyLooksAndPumpsWhenThereIsNothingToDo) {
    Run(2); // not an action
    Run(255);
    program.frmAbout.Text1 = "Wolfenstein"; // not running
    Run(0);
    Run(1);
    fake.AddGameWindow("");
    program.frmAbout.Text1 = ""; // never looked up
    Run(0);
    Run(1);
    EXPECT_EQ(fake.log,
              (Lines{"FindWindow Quake 3: Arena", "Pump", "FindWindow Quake 3: Arena", "Pump",
                     "FindWindow Wolfenstein", "Pump", "FindWindow Wolfenstein", "Pump", "Pump", "Pump"}));
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_EQ(program.varer.Check1, 0);
}

TEST_F(HideShowGame, PendingHotKeyRunsNestedDuringThePump) {
    program.varer.Check1 = 1;
    fake.pending.push_back([&] {
        hotkeys::HotkeyProc(program, fake::FakeSystem::kHotkeyDialogWindow, hotkeys::kWmHotkey, 1, 0);
    });
    fake.displaySize = {1024, 768};
    Run(0);
    // The queued restore ran first, inside the hide, which then went on.
    EXPECT_EQ(fake.LogStartingWith("ShowWindow"),
              (Lines{"ShowWindow " + gameId + " 9", "ShowWindow " + gameId + " 0"}));
    EXPECT_EQ(fake.LogStartingWith("ChangeMode"), (Lines{"ChangeMode 640x480", "ChangeMode 1024x768"}));
    EXPECT_EQ(program.varer.Check1, 1);
    EXPECT_FALSE(fake.visible[game.value]);
}

TEST_F(HideShowGame, OuterCallUsesTheWindowItFoundAndTheStateAfterThePump) {
    // While pumping, the game restarts under a new window and the user picks another game
    // and turns the switch off.
    fake.pending.push_back([&] {
        fake.windowsByTitle["Quake 3: Arena"] = os::Window{0x9999};
        program.frmAbout.Text1 = "Wolfenstein";
        app.frmAbout.SetScreenResCheck(0);
    });
    Run(0);
    EXPECT_EQ(fake.LogStartingWith("ShowWindow"), Lines{"ShowWindow " + gameId + " 0"});
    EXPECT_TRUE(fake.LogStartingWith("ChangeMode").empty());
    EXPECT_EQ(program.varer.Check1, 0);
}

TEST_F(HideShowGame, TheHideSticksWhenTheGameMinimisesItselfButTheUserMayBringItBack) {
    using State = os::WindowManager::WindowState;
    program.varer.started = true;
    const auto tick = [&] { app.varer.Timer1_Timer(); };

    // Losing the focus, the game minimises itself, which shows it again.
    Run(0);
    fake.MinimizeGameWindow(game);
    tick();
    EXPECT_EQ(fake.StateOf(game), State::Hidden) << "hidden again on the next tick";
    tick();
    EXPECT_EQ(fake.StateOf(game), State::Hidden);
    // The restore key brings it back un-minimised; minimised later, it is the user's.
    Run(1);
    EXPECT_EQ(fake.StateOf(game), State::Shown);
    fake.MinimizeGameWindow(game);
    tick();
    EXPECT_EQ(fake.StateOf(game), State::Minimized);

    // Hidden again, and brought back by its taskbar button before a tick saw it minimised.
    Run(1);
    Run(0);
    fake.visible[game.value] = true;
    tick();
    fake.MinimizeGameWindow(game);
    tick();
    EXPECT_EQ(fake.StateOf(game), State::Minimized) << "the game the user brought back was hidden again";
}

} // namespace
} // namespace tuckaway
