// Acting on a game's window where Windows is strict: a game that stops
// answering, one run as administrator, a window in front that runs above the
// program, and what is left for a start after a crash.

#include "host/RunningGame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tuckaway {
namespace {

using Lines = std::vector<std::string>;
using fake::FakeSystem;
using Show = os::WindowManager::ShowCommand;

constexpr std::string_view kNotResponding =
    "Tuckaway v1.0: The game is not responding, so it was not hidden.";
constexpr std::string_view kAdministrator = "Tuckaway v1.0: The game runs as administrator, so it cannot be "
                                            "hidden. Start Tuckaway as administrator too.";

class GameWindow : public RunningGame {
protected:
    // The watch timer firing after `milliseconds`.
    void Watch(std::uint64_t milliseconds) {
        fake.now += milliseconds;
        app.GameWindowWatched();
    }
};

TEST_F(GameWindow, AHideTheGameDoesNotTakeChangesNothingIsCalledOffAndSaysWhy) {
    fake.hung[game.value] = true;
    Key(0);
    EXPECT_EQ(fake.watchAsked, 10u) << "looked at again shortly, without waiting";
    Watch(500);
    EXPECT_EQ(fake.displaySize, (os::Size{640, 480}));
    EXPECT_FALSE(fake.SessionMuted("music"));
    EXPECT_EQ(program.varer.Check1, 0);
    EXPECT_TRUE(fake.warnings.empty());

    // Meanwhile the program goes on: the tray menu opens and the dialogs come up.
    fake.menuChoice = ui::MenuItem::mPopRestore;
    app.varer.Form_MouseMove(0x0205);
    EXPECT_TRUE(fake.dialogVisible[ui::Dialog::Hotkey]);

    fake.watchAsked.reset();
    Watch(600);
    EXPECT_EQ(fake.warnings, Lines{std::string(kNotResponding)});
    EXPECT_FALSE(fake.watchAsked) << "called off, not watched any longer";
    EXPECT_EQ(fake.postedShows[game.value], (std::vector<Show>{Show::Hide, Show::Restore}));
    EXPECT_EQ(fake.displaySize, (os::Size{640, 480}));
    fake.Answer(game);
    EXPECT_TRUE(fake.visible[game.value]) << "the show after the hide: the game cannot vanish later";
    app.varer.Timer1_Timer();
    EXPECT_EQ(fake.warnings.size(), 1u) << "told once";
}

TEST_F(GameWindow, AnExitPumpedInsideAHideLeavesTheGameAlone) {
    fake.pending.push_back([&] { app.varer.mPopExit_Click(); });
    Key(0);
    EXPECT_TRUE(fake.quit);
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_TRUE(fake.LogStartingWith("ShowWindow " + std::to_string(game.value) + " 0").empty());
    EXPECT_FALSE(fake.SessionMuted("music"));
}

TEST_F(GameWindow, AGameRunAsAdministratorIsNamedOncePerStartAndNothingIsTried) {
    fake.elevated[game.value] = true;
    Key(0);
    Key(0);
    app.varer.Form_MouseMove(0x0202);
    EXPECT_TRUE(fake.LogStartingWith("ShowWindow").empty());
    EXPECT_TRUE(fake.modeChanges.empty());
    EXPECT_FALSE(fake.SessionMuted("music"));
    EXPECT_EQ(fake.warnings, Lines{std::string(kAdministrator)});

    // The game started again: told again.
    fake.windowsByTitle.erase("Quake 3: Arena");
    const os::Window again = fake.AddGameWindow("Quake 3: Arena");
    fake.elevated[again.value] = true;
    Key(0);
    EXPECT_EQ(fake.warnings.size(), 2u);
}

TEST_F(GameWindow, AMaximisedGameComesBackMaximised) {
    fake.maximized[game.value] = true;
    Key(0);
    ASSERT_FALSE(fake.visible[game.value]);
    Key(1);
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_TRUE(fake.maximized[game.value]);
    fake.maximized[game.value] = false;
    Key(0);
    Key(1);
    EXPECT_FALSE(fake.maximized[game.value]);
}

TEST_F(GameWindow, WhileAWindowAboveTheProgramIsInFrontAndNoGameRunsTheKeysAreItsOwn) {
    fake.windowsByTitle.clear();
    const os::Window console{0x7777};
    fake.elevated[console.value] = true;
    fake.foreground = console;
    app.varer.Timer1_Timer();
    EXPECT_TRUE(fake.registered.empty()) << "let go, so that the console gets its keys as they are";
    Key(0); // a press that came before the tick saw the console: nothing is typed for it
    EXPECT_TRUE(fake.LogStartingWith("TypeCombination").empty());

    fake.foreground = FakeSystem::kMainDialogWindow;
    app.varer.Timer1_Timer();
    EXPECT_EQ(fake.registered.size(), 2u) << "taken back";
    EXPECT_TRUE(fake.boxes.empty());
}

// A first press would reach the program before the tick let the keys go, and
// the program cannot type it into a window that runs above it.
TEST_F(GameWindow, TheKeysAreLetGoTheMomentAWindowAboveTheProgramTakesTheForeground) {
    fake.windowsByTitle.clear();
    const os::Window console{0x7777};
    fake.elevated[console.value] = true;
    fake.foreground = console;
    app.ForegroundChanged();
    EXPECT_TRUE(fake.registered.empty());
    fake.foreground = FakeSystem::kMainDialogWindow;
    app.ForegroundChanged();
    EXPECT_EQ(fake.registered.size(), 2u);
}

TEST_F(GameWindow, ACrashWhileHiddenShowsTheGameAndTheNextStartSearchesAgain) {
    Key(0);
    EXPECT_EQ(fake.rescue.window, game);
    EXPECT_TRUE(fake.rescue.storedMode);
    EXPECT_EQ(fake.rescue.priorityClass, os::kNormalPriority);
    Key(1);
    EXPECT_EQ(fake.rescue, os::CrashRescue{}) << "nothing left to put right";

    // Detection had chosen the game when the run died: the next start is automatic again.
    FakeSystem next;
    next.registry = {{"currentgame_display", "Quake III Arena"}, {"currentgame", "Quake 3: Arena"}};
    next.sections["recovery"]["Detected"] = "1";
    Tuckaway restarted{next.Services(), next};
    ASSERT_TRUE(StartUp(restarted, next));
    EXPECT_EQ(restarted.program.frmAbout.SelectedText(), "-=Automatic Game Detection=-");
    EXPECT_EQ(next.registry["currentgame_display"], "-=Automatic Game Detection=-");
    EXPECT_EQ(next.sections["recovery"]["Detected"], "");
}

TEST(GameWindowAtStart, AGameRunningInItsModeAtStartLeavesTheStoredModeAsTheDesktops) {
    FakeSystem fake;
    fake.registry = {{"DynaScreen", "1"}};
    fake.AddGameWindow("Jedi Knight 2");
    fake.displaySize = {640, 480}; // the game's; 1024x768 is stored
    Tuckaway app{fake.Services(), fake};
    ASSERT_TRUE(StartUp(app, fake));
    EXPECT_EQ(app.program.varer.Text3, "1024");
    EXPECT_EQ(app.program.varer.Text4, "768");

    // With no game, a mode in use that is not the stored one is the desktop's all the same.
    FakeSystem plain;
    plain.registry = {{"DynaScreen", "1"}};
    plain.displaySize = {1280, 1024};
    Tuckaway other{plain.Services(), plain};
    ASSERT_TRUE(StartUp(other, plain));
    EXPECT_EQ(other.program.varer.Text3, "1280");
}

} // namespace
} // namespace tuckaway
