#include "app/Tuckaway.h"
#include "fake/FakeSystem.h"
#include "host/StartUp.h"
#include "hotkeys/Hotkeys.h"
#include "state/Catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tuckaway {

using namespace tuckaway::ui;
namespace {

using Lines = std::vector<std::string>;
using Fake = fake::FakeSystem;

const std::string kMain = "SetForegroundWindow " + std::to_string(Fake::kMainWindow.value);
const std::string kHotkeyForward = "SetForegroundWindow " + std::to_string(Fake::kHotkeyDialogWindow.value);
const std::string kMainDialogForward = "SetForegroundWindow " + std::to_string(Fake::kMainDialogWindow.value);
const Lines kUnloadAndQuit = {"Tray 2",
                              "UnregisterHotKey 0",
                              "UnregisterHotKey 1",
                              "DestroyMainWindow",
                              "DestroyMainDialog",
                              "DestroyHotkeyDialog",
                              "Quit"};

Lines Concat(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// A started program choosing Quake III Arena on a 1024x768 desktop, switch on; the
// game's recorded size is 640x480 and it is hidden with the display switched.
class TrayMenu : public ::testing::Test {
protected:
    fake::FakeSystem fake;
    Tuckaway app{fake.Services(), fake};
    Program& program = app.program;
    VarerFields& varer = program.varer;
    os::Window game;
    std::string restoreGame, gameForward;

    void SetUp() override {
        fake.registry = {{"currentgame_display", "Quake III Arena"},
                         {"currentgame", "Quake 3: Arena"},
                         {"DynaScreen", "1"}};
        ASSERT_TRUE(StartUp(app, fake));
        game = fake.AddGameWindow("Quake 3: Arena");
        fake.visible[game.value] = false;
        restoreGame = "ShowWindow " + std::to_string(game.value) + " 9";
        gameForward = "SetForegroundWindow " + std::to_string(game.value);
        varer.Text5 = "640";
        varer.Text6 = "480";
        varer.Check1 = 1;
        fake.log.clear();
    }
    void NoGame() { fake.windowsByTitle.clear(); }
    void Event(std::intptr_t lParam) { app.varer.Form_MouseMove(lParam); }
};

TEST_F(TrayMenu, LeftClickRestoresTheGameAtItsSizeIgnoringTheHighWord) {
    Event(0x7FFF0202);
    EXPECT_EQ(fake.LogStartingWith("ShowWindow"), Lines{restoreGame});
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_EQ(fake.foreground, game);
    EXPECT_EQ(fake.displaySize, (os::Size{640, 480}));
    EXPECT_EQ(varer.Check1, 0);

    // Switch off or no game size recorded: the window only.
    const auto windowOnly = [&](const char* why) {
        varer.Check1 = 1;
        fake.visible[game.value] = false;
        fake.log.clear();
        Event(0x0202);
        EXPECT_TRUE(fake.visible[game.value]) << why;
        EXPECT_EQ(fake.foreground, game) << why;
        EXPECT_TRUE(fake.LogStartingWith("ChangeMode").empty()) << why;
        EXPECT_EQ(varer.Check1, 1) << why;
    };
    varer.Text5 = "";
    windowOnly("no game width");
    varer.Text5 = "640";
    app.frmAbout.SetScreenResCheck(0);
    windowOnly("switch off");
}

TEST_F(TrayMenu, LeftClickWithoutGameAndDoubleClickBringTheHotkeyDialogForward) {
    const Lines forward = {"RestoreHotkeyDialog", kHotkeyForward, "ShowHotkeyDialog"};
    Event(0x0203); // the game runs: it stays hidden
    EXPECT_EQ(fake.log, Concat({"FindWindow Quake 3: Arena"}, forward));
    EXPECT_FALSE(fake.visible[game.value]);

    NoGame();
    fake.log.clear();
    Event(0x0202);
    EXPECT_EQ(fake.log, Concat({"FindWindow Quake 3: Arena"}, forward));
    EXPECT_TRUE(fake.dialogVisible[Dialog::Hotkey]);
    EXPECT_EQ(fake.foreground, Fake::kHotkeyDialogWindow);

    // A dialog that no longer exists is created and loaded first.
    fake.DestroyDialog(Dialog::Hotkey);
    fake.log.clear();
    Event(0x0203);
    EXPECT_EQ(fake.log,
              Concat({"FindWindow Quake 3: Arena", "CreateHotkeyDialog", "ShapeHotkeyDialog"}, forward));
}

TEST_F(TrayMenu, OtherEventsOnlyLookUpTheGame) {
    const std::vector<std::intptr_t> events = {0x0200, 0x0201, 0x0204,      0x0206,     0x0207,
                                               0x0208, 0x0209, 0x0205'0200, 0x0202'0000};
    for (const std::intptr_t lParam : events) {
        Event(lParam);
    }
    EXPECT_EQ(fake.log, Lines(events.size(), "FindWindow Quake 3: Arena"));
    EXPECT_FALSE(fake.visible[game.value]);
    EXPECT_EQ(varer.Check1, 1);
}

TEST_F(TrayMenu, RightClickOpensTheMenuOwnedByTheMainWindow) {
    Event(0x0205); // dismissed: nothing runs
    EXPECT_EQ(fake.log, (Lines{"FindWindow Quake 3: Arena", kMain, "TrackTrayMenu"}));
    varer.mPopResoRestoreVisible = true;
    Event(0x0205);
    EXPECT_EQ(fake.menusShown, (std::vector<bool>{false, true}));

    fake.menuChoice = MenuItem::mPopAbout;
    fake.log.clear();
    Event(0x0205);
    EXPECT_EQ(fake.log, (Lines{"FindWindow Quake 3: Arena", kMain, "TrackTrayMenu", "RestoreMainDialog",
                               kMainDialogForward, "ShowMainDialog"}));
    EXPECT_EQ(program.frmAbout.SelectedText(), "Quake III Arena");
    EXPECT_EQ(program.frmAbout.ScreenResCheck, 1);

    fake.menuChoice = MenuItem::mPopRestore;
    fake.log.clear();
    Event(0x0205);
    EXPECT_EQ(fake.log, (Lines{"FindWindow Quake 3: Arena", kMain, "TrackTrayMenu", "RestoreHotkeyDialog",
                               kHotkeyForward, "ShowHotkeyDialog"}));
}

TEST_F(TrayMenu, ANewTaskbarGetsTheIconAgainAsItIsNowUntilUnload) {
    const auto icon = std::make_pair(Fake::kMainWindow.value, std::uint32_t{1});
    app.varer.Timer1_Timer();
    app.varer.Timer1_Timer();
    ASSERT_EQ(TrayTip(fake.trayIcons.at(icon)), "Quake III Arena - ACTIVE");
    fake.trayIcons.clear(); // Explorer restarted
    fake.log.clear();
    app.TaskbarCreated();
    EXPECT_EQ(fake.log, Lines{"Tray 0"});
    EXPECT_EQ(fake.trayIcons.at(icon), varer.TrayIconData);
    app.varer.Timer1_Timer();
    EXPECT_EQ(fake.LogStartingWith("Tray"), Lines{"Tray 0"});

    app.varer.Form_Unload();
    app.TaskbarCreated();
    app.varer.Timer1_Timer();
    EXPECT_TRUE(fake.trayIcons.empty());
}

TEST_F(TrayMenu, MinimisingHidesTheMainWindow) {
    app.varer.Form_Resize(false);
    EXPECT_TRUE(fake.log.empty());
    app.varer.Form_Resize(true);
    EXPECT_EQ(fake.log, Lines{"HideMainWindow"});
}

TEST_F(TrayMenu, UnloadRemovesTheIconAndOnlyTheHotKeysStartUpRegistered) {
    app.varer.Form_Unload();
    EXPECT_EQ(fake.log, (Lines{"Tray 2", "UnregisterHotKey 0", "UnregisterHotKey 1"}));
    ASSERT_EQ(fake.trayCalls.back().first, os::Tray::Action::Delete);
    EXPECT_EQ(fake.trayCalls.back().second.window, Fake::kMainWindow);
    EXPECT_EQ(fake.trayCalls.back().second.id, 1u);
    EXPECT_TRUE(fake.registered.empty());

    // The dialog's later registrations don't count.
    program.form1.HideKeyRegistered = true;
    program.form1.ShowKeyRegistered = true;
    varer.HideKeyRegistered = false;
    fake.log.clear();
    app.varer.Form_Unload();
    EXPECT_EQ(fake.log, (Lines{"Tray 2", "UnregisterHotKey 1"}));
    varer.HideKeyRegistered = true;
    varer.ShowKeyRegistered = false;
    fake.log.clear();
    app.varer.Form_Unload();
    EXPECT_EQ(fake.log, (Lines{"Tray 2", "UnregisterHotKey 0"}));
}

TEST_F(TrayMenu, TheGamesModeIsNeverStoredAndAnEndingSessionGetsTheHiddenGameBack) {
    using State = os::WindowManager::WindowState;
    // Restored with the switch: the game's mode is in use, the desktop's stays stored,
    // so a game that ends with ChangeDisplaySettings(NULL, 0) leaves the desktop's.
    Event(0x0202);
    EXPECT_EQ(fake.displaySize, (os::Size{640, 480}));
    EXPECT_EQ(fake.storedSize, (os::Size{1024, 768}));
    ASSERT_EQ(fake.modeChanges.size(), 1u);
    EXPECT_EQ(fake.modeChanges[0].second, os::kChangeFullscreen);

    // The switches to the desktop's mode store it, as they always have.
    hotkeys::HideShowGame(program, 0, game);
    EXPECT_EQ(fake.displaySize, (os::Size{1024, 768}));
    EXPECT_EQ(fake.modeChanges.back().second, os::kChangeUpdateRegistry);

    fake.log.clear();
    app.SessionEndQueried();
    app.SessionEnding();
    EXPECT_EQ(fake.StateOf(game), State::Shown);
    EXPECT_EQ(fake.storedSize, (os::Size{1024, 768}));
    EXPECT_EQ(fake.LogStartingWith("Tray"), Lines{"Tray 2"});
    EXPECT_TRUE(fake.quit);
}

TEST_F(TrayMenu, ExitRestoresTheHiddenGameAtItsSizeThenCloses) {
    fake.menuChoice = MenuItem::mPopExit;
    Event(0x0205);
    EXPECT_EQ(fake.displaySize, (os::Size{640, 480}));
    EXPECT_EQ(varer.Check1, 0);
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_EQ(fake.foreground, game);
    ASSERT_GE(fake.log.size(), kUnloadAndQuit.size());
    EXPECT_EQ((Lines{fake.log.end() - static_cast<long>(kUnloadAndQuit.size()), fake.log.end()}),
              kUnloadAndQuit);
    EXPECT_TRUE(fake.quit);
}

TEST_F(TrayMenu, ExitWithAGameThatDoesNotAnswerPostsItsShowAndLeavesTheDesktopsMode) {
    fake.hung[game.value] = true;
    app.varer.mPopExit_Click();
    EXPECT_TRUE(fake.quit);
    EXPECT_EQ(fake.displaySize, (os::Size{1024, 768})) << "no game window to go with the game's mode";
    EXPECT_NE(fake.foreground, game) << "a hung window is not brought to the front";
    fake.Answer(game);
    EXPECT_TRUE(fake.visible[game.value]) << "shown once it answers";
}

TEST_F(TrayMenu, ExitWithTheSwitchOffOrNoGameLeavesTheDisplay) {
    app.frmAbout.SetScreenResCheck(0);
    fake.log.clear();
    app.varer.mPopExit_Click();
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_TRUE(fake.LogStartingWith("ChangeMode").empty());
    EXPECT_EQ(varer.Check1, 1);
    EXPECT_EQ(fake.displaySize, (os::Size{1024, 768}));

    NoGame();
    app.frmAbout.SetScreenResCheck(1);
    varer.AutoDetectCheck = 1;
    fake.log.clear();
    app.varer.mPopExit_Click();
    EXPECT_EQ(fake.log, Concat({"FindWindow Quake 3: Arena"}, kUnloadAndQuit));
    EXPECT_EQ(varer.AutoDetectCheck, 1);
    EXPECT_EQ(fake.registry["currentgame"], "Quake 3: Arena");
}

TEST_F(TrayMenu, ExitUnderAutomaticDetectionStoresTheAutomaticChoice) {
    app.frmAbout.SelectEntry(catalogue::kAutomaticEntry);
    app.varer.Timer1_Timer(); // detects the game
    ASSERT_EQ(varer.AutoDetectCheck, 1);
    app.varer.mPopExit_Click();
    EXPECT_EQ(fake.registry["currentgame"], " ");
    EXPECT_EQ(fake.registry["currentgame_display"], "-=Automatic Game Detection=-");
    EXPECT_EQ(fake.sections["recovery"]["Detected"], "");
    EXPECT_EQ(fake.displaySize, (os::Size{640, 480}));
    EXPECT_EQ(varer.AutoDetectCheck, 0);
}

TEST_F(TrayMenu, RestoreResolutionIsRefusedWhileTheGameRuns) {
    varer.mPopResoRestoreVisible = true;
    app.varer.mPopResoRestore_Click();
    EXPECT_EQ(fake.log, (Lines{"FindWindow Quake 3: Arena",
                               "MessageBox Resolution Restoration is currently not necessary."}));
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].caption, "Tuckaway v1.0");
    EXPECT_EQ(fake.boxes[0].style, os::BoxStyle::Ok);
    EXPECT_TRUE(varer.mPopResoRestoreVisible);
}

TEST_F(TrayMenu, RestoreResolutionSwitchesBackOnlyWhenNeededAndAlwaysHidesTheItem) {
    NoGame();
    const auto restore = [&](os::Size display, const char* desktopW, const char* desktopH) {
        fake.displaySize = display;
        varer.Text3 = desktopW;
        varer.Text4 = desktopH;
        varer.mPopResoRestoreVisible = true;
        fake.log.clear();
        app.varer.mPopResoRestore_Click();
        EXPECT_FALSE(varer.mPopResoRestoreVisible);
        EXPECT_EQ(varer.Check1, 1);
        return fake.LogStartingWith("ChangeMode");
    };
    EXPECT_EQ(restore({640, 480}, "1024", "768"), Lines{"ChangeMode 1024x768"});
    EXPECT_EQ(fake.displaySize, (os::Size{1024, 768}));
    EXPECT_EQ(restore({1024, 768}, "1024", "768"), Lines{}) << "already at the desktop size";
    EXPECT_EQ(restore({1024, 600}, "1024", "768"), Lines{}) << "width already the desktop's";
    EXPECT_EQ(restore({640, 480}, "", "768"), Lines{}) << "no desktop width";
    EXPECT_EQ(restore({640, 480}, "1024", ""), Lines{}) << "no desktop height";
}

} // namespace
} // namespace tuckaway
