#include "app/Tuckaway.h"
#include "fake/FakeSystem.h"
#include "host/StartUp.h"
#include "hotkeys/Hotkeys.h"
#include "state/Catalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace tuckaway {

using namespace tuckaway::ui;
namespace {

using Lines = std::vector<std::string>;

constexpr std::string_view kQuake = "Quake III Arena";
constexpr std::string_view kJk2Sp = "Star Wars: Jedi Knight II: Jedi Outcast (SP)";
constexpr std::string_view kAutoTip = "Tuckaway - Auto Game Detection Enabled";

// Written out here rather than taken from the catalogue, so a wrong table
// entry fails: the nine titles in probe order, looked up in one pass.
constexpr std::string_view kNineTitles = "Quake 3: Arena|Star Trek: Voyager - Holomatch|Elite Force II|"
                                         "Jedi Knight 2: Jedi Outcast MP|Jedi Knight 2|Star Trek: Voyager|"
                                         "Jedi Knight\xC2\xAE: Jedi Academy|Wolfenstein|"
                                         "Jedi Knight\xC2\xAE: Jedi Academy (MP)";
Lines NineLookups() {
    return {"FindWindows " + std::string(kNineTitles)};
}

Lines Concat(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

constexpr os::Icon Picture(unsigned n) {
    return os::Icon{0x1000u + n};
}

class DetectionTimer : public ::testing::Test {
protected:
    fake::FakeSystem fake;
    Tuckaway app{fake.Services(), fake};
    Program& program = app.program;
    VarerFields& varer = program.varer;
    FrmAboutFields& about = program.frmAbout;

    // A started program on a 1024x768 desktop with the entry stored as the user's choice.
    void Start(std::string_view entry, const char* dynaScreen = "1") {
        fake.registry["currentgame_display"] = std::string(entry);
        fake.registry["currentgame"] = std::string(*program.catalogue.TitleOfEntry(entry));
        fake.registry["DynaScreen"] = dynaScreen;
        ASSERT_TRUE(StartUp(app, fake));
        fake.log.clear();
        fake.trayCalls.clear();
    }
    // A tick that is not the first, so that its log holds only detection.
    void StartTicking(std::string_view entry, const char* dynaScreen = "1") {
        Start(entry, dynaScreen);
        app.varer.Timer1_Timer();
        fake.log.clear();
        fake.trayCalls.clear();
    }
    void Tick() { app.varer.Timer1_Timer(); }
    std::string Tip() const { return std::string(TrayTip(varer.TrayIconData)); }
    std::string PushedTip() const { return std::string(TrayTip(fake.trayCalls.back().second)); }
    void Sizes(std::string w3, std::string h4, std::string w5, std::string h6) {
        varer.Text3 = std::move(w3);
        varer.Text4 = std::move(h4);
        varer.Text5 = std::move(w5);
        varer.Text6 = std::move(h6);
    }
};

TEST_F(DetectionTimer, AutomaticModeWithNothingRunningSearchesEveryTickAndSetsUpOnlyOnce) {
    Start(catalogue::kAutomaticEntry);
    Tick();
    // The automatic entry's blank title is no game's: it is not even looked up.
    EXPECT_EQ(fake.log, Concat({"SetControlTransparent 1", "SetTimerInterval 150"}, NineLookups()));
    EXPECT_EQ(varer.Timer1Interval, 150u);
    EXPECT_EQ(Tip(), kAutoTip);
    EXPECT_EQ(varer.TrayIconData.icon, Picture(1));
    EXPECT_EQ(about.Text1, " ");
    EXPECT_EQ(varer.AutoDetectCheck, 0);
    EXPECT_FALSE(about.Combo1Locked);

    fake.log.clear();
    Tick();
    EXPECT_EQ(fake.log, Concat({"Tray 1"}, NineLookups()));
    EXPECT_EQ(PushedTip(), kAutoTip);

    // Setting the same value runs no handler.
    app.varer.SetTransCheck(1);
    EXPECT_EQ(fake.transparencyCalls, std::vector<bool>{true});
    EXPECT_EQ(fake.LogStartingWith("SetTimerInterval").size(), 0u);
}

TEST_F(DetectionTimer, TrayShowsWhatThePreviousTickComputed) {
    Start(kQuake);
    fake.AddGameWindow("Quake 3: Arena");
    varer.mPopResoRestoreVisible = true;
    Tick();
    // The shell holds the start-up icon and tip already.
    EXPECT_TRUE(fake.trayCalls.empty());
    EXPECT_EQ(varer.TrayIconData.icon, Picture(2));
    EXPECT_EQ(Tip(), "Quake III Arena - ACTIVE");
    EXPECT_FALSE(varer.mPopResoRestoreVisible);

    Tick();
    ASSERT_EQ(fake.trayCalls.size(), 1u);
    const auto& [action, pushed] = fake.trayCalls[0];
    EXPECT_EQ(action, os::Tray::Action::Modify);
    EXPECT_EQ(pushed.icon, Picture(2));
    EXPECT_EQ(TrayTip(pushed), "Quake III Arena - ACTIVE");
    EXPECT_EQ(pushed.window, fake::FakeSystem::kMainWindow);
    EXPECT_EQ(pushed.id, 1u);
    EXPECT_EQ(fake.LogStartingWith("FindWindow"), Lines(2, "FindWindow Quake 3: Arena"));
}

TEST_F(DetectionTimer, TheShellIsToldOnlyWhatChangedAndAgainWhenItRefused) {
    StartTicking(kQuake);
    Tick(); // the inactive tip of the first tick
    fake.trayCalls.clear();
    for (int i = 0; i < 100; ++i) {
        Tick();
    }
    EXPECT_TRUE(fake.trayCalls.empty()) << "a hundred quiet ticks";

    fake.AddGameWindow("Quake 3: Arena");
    for (int i = 0; i < 3; ++i) {
        Tick();
    }
    ASSERT_EQ(fake.trayCalls.size(), 1u) << "one change";
    EXPECT_EQ(PushedTip(), "Quake III Arena - ACTIVE");

    fake.windowsByTitle.clear();
    fake.trayRefuses = true;
    for (int i = 0; i < 3; ++i) {
        Tick();
    }
    // The inactive tip, refused twice.
    EXPECT_EQ(fake.trayCalls.size(), 3u);
    fake.trayRefuses = false;
    Tick();
    Tick();
    EXPECT_EQ(fake.trayCalls.size(), 4u);
    EXPECT_EQ(fake.trayCalls.back().first, os::Tray::Action::Modify);
    EXPECT_EQ(TrayTip(fake.trayIcons.at({fake::FakeSystem::kMainWindow.value, 1})),
              "Quake III Arena - INACTIVE");
}

TEST_F(DetectionTimer, ChosenGameNotRunningIsInactiveAndNothingElseIsSearched) {
    StartTicking(kJk2Sp);
    Tick();
    EXPECT_EQ(fake.log, (Lines{"FindWindow Jedi Knight 2", "Tray 1"}));
    EXPECT_EQ(Tip(), std::string(kJk2Sp) + " - INACTIVE");
    EXPECT_EQ(varer.TrayIconData.icon, Picture(5));
    EXPECT_EQ(PushedTip(), std::string(kJk2Sp) + " - INACTIVE");
}

TEST_F(DetectionTimer, AutomaticDetectionFollowsAGameStartingAndExiting) {
    StartTicking(catalogue::kAutomaticEntry);
    const os::Window game = fake.AddGameWindow("Jedi Knight 2");
    Tick();
    EXPECT_EQ(about.SelectedText(), kJk2Sp);
    EXPECT_EQ(about.Text1, "Jedi Knight 2");
    EXPECT_EQ(varer.AutoDetectCheck, 1);
    EXPECT_TRUE(about.Combo1Locked);

    Tick();
    EXPECT_EQ(Tip(), std::string(kJk2Sp) + " - ACTIVE");
    EXPECT_EQ(varer.TrayIconData.icon, Picture(6));

    fake.windowsByTitle.erase("Jedi Knight 2");
    fake.log.clear();
    Tick();
    // Back to automatic, and searching again in the same tick.
    EXPECT_EQ(fake.log, Concat({"FindWindow Jedi Knight 2", "Write currentgame= ",
                                "Write currentgame_display=-=Automatic Game Detection=-",
                                "Write recovery/Hide=State=Shown\n", "Tray 1"},
                               NineLookups()));
    EXPECT_EQ(varer.AutoDetectCheck, 0);
    EXPECT_FALSE(about.Combo1Locked);
    EXPECT_FALSE(fake.shownLocked);
    EXPECT_EQ(fake.registry["currentgame"], " ");
    EXPECT_EQ(Tip(), kAutoTip);
    EXPECT_EQ(varer.TrayIconData.icon, Picture(1));
    EXPECT_TRUE(fake.visible[game.value]);
}

TEST_F(DetectionTimer, SeveralGamesRunningAreAllLookedUpBeforeTheLastFoundIsSelected) {
    StartTicking(catalogue::kAutomaticEntry);
    fake.AddGameWindow("Wolfenstein");
    fake.AddGameWindow("Quake 3: Arena");
    Tick();
    EXPECT_EQ(fake.log, Concat(Concat({"Tray 1"}, NineLookups()),
                               {"Write currentgame=Quake 3: Arena",
                                "Write currentgame_display=Quake III Arena", "Write currentgame=Wolfenstein",
                                "Write currentgame_display=Return to Castle Wolfenstein (SP + MP)",
                                // A start after a crash finds the user's choice: automatic.
                                "Write recovery/Hide=State=Shown\nDetected=1\n"}));
    EXPECT_EQ(about.SelectedText(), "Return to Castle Wolfenstein (SP + MP)");
    EXPECT_EQ(varer.AutoDetectCheck, 1);
    EXPECT_TRUE(about.Combo1Locked);
}

TEST_F(DetectionTimer, UserGamesAreProbedAfterTheNineInStoredOrder) {
    fake.games = {{"ioquake3", "ioquake3"}, {"OpenArena", "OpenArena"}};
    StartTicking(catalogue::kAutomaticEntry);
    fake.AddGameWindow("ioquake3");
    fake.AddGameWindow("Quake 3: Arena");
    Tick();
    EXPECT_EQ(fake.LogStartingWith("FindWindow"),
              Lines{"FindWindows " + std::string(kNineTitles) + "|ioquake3|OpenArena"});
    // Found last in probe order, so it stays selected.
    EXPECT_EQ(about.SelectedText(), "ioquake3");
    EXPECT_EQ(fake.shownSelection, 10);
    EXPECT_EQ(fake.registry["currentgame"], "ioquake3");
    EXPECT_EQ(fake.registry["currentgame_display"], "ioquake3");

    Tick();
    EXPECT_EQ(Tip(), "ioquake3 - ACTIVE");
    EXPECT_EQ(varer.TrayIconData.icon, Picture(20));
}

TEST_F(DetectionTimer, NeitherABlankTitledWindowNorAFolderNamedLikeAGameIsAGame) {
    StartTicking(catalogue::kAutomaticEntry);
    fake.AddGameWindow(" ");
    const os::Window folder = fake.AddGameWindow("Wolfenstein", "CabinetWClass");
    Tick();
    Tick();
    EXPECT_EQ(Tip(), kAutoTip);
    EXPECT_EQ(about.SelectedText(), catalogue::kAutomaticEntry);
    // Not hidden by the hot key either: the keys pass on as with no game.
    fake.installedProc->operator()(fake::FakeSystem::kHotkeyDialogWindow, hotkeys::kWmHotkey, 0, 0x005A0002);
    EXPECT_TRUE(fake.visible[folder.value]);
    EXPECT_EQ(fake.LogStartingWith("TypeCombination"), Lines{"TypeCombination 2 90"});

    // The game itself, beside the folder, is found.
    fake.windowsByTitle.erase("Wolfenstein");
    const os::Window game = fake.AddGameWindow("Wolfenstein");
    fake.windowsByTitle["WOLFENSTEIN"] = folder; // seen first, but a folder
    Tick();
    EXPECT_EQ(about.Text1, "Wolfenstein");
    fake.installedProc->operator()(fake::FakeSystem::kHotkeyDialogWindow, hotkeys::kWmHotkey, 0, 0x005A0002);
    EXPECT_FALSE(fake.visible[game.value]);
    EXPECT_TRUE(fake.visible[folder.value]);
}

TEST_F(DetectionTimer, RunningGameRecordsItsSizeOnlyWhileCheck1IsClear) {
    StartTicking(kQuake);
    fake.AddGameWindow("Quake 3: Arena");
    fake.displaySize = {800, 600};
    Tick();
    EXPECT_EQ(varer.Text5, "800");
    EXPECT_EQ(varer.Text6, "600");
    EXPECT_EQ(varer.Text3, "1024"); // the desktop, recorded at start-up
    EXPECT_EQ(varer.Text4, "768");

    // Hidden with the display at the desktop's size: the game's own size is kept.
    varer.Check1 = 1;
    fake.displaySize = {1024, 768};
    Tick();
    EXPECT_EQ(varer.Text5, "800");
    EXPECT_EQ(varer.Text6, "600");

    // A desktop size is recorded only when both of its fields are empty.
    Sizes("", "", "800", "600");
    Tick();
    EXPECT_EQ(varer.Text3, "1024");
    EXPECT_EQ(varer.Text4, "768");
    Sizes("", "600", "800", "600");
    Tick();
    EXPECT_EQ(varer.Text3, "");
    EXPECT_EQ(varer.Text4, "600");
}

TEST_F(DetectionTimer, HeightsInTheWidthFieldAreNormalised) {
    const std::vector<std::array<std::string, 3>> table = {
        {"480", "640", "480"},    {"600", "800", "600"},   {"768", "1024", "768"}, {"864", "1152", "864"},
        {"1200", "1600", "1200"}, {"1024", "1024", "555"}, {"640", "640", "555"},  {"", "", "555"}};
    StartTicking(kQuake);
    fake.AddGameWindow("Quake 3: Arena");
    varer.Check1 = 1; // nothing recorded over the values under test
    for (const auto& [in, width, height] : table) {
        Sizes("1024", "768", in, "555");
        Tick();
        EXPECT_EQ(varer.Text5, width) << "game, " << in;
        EXPECT_EQ(varer.Text6, height) << "game, " << in;
    }
    fake.windowsByTitle.clear();
    for (const auto& [in, width, height] : table) {
        Sizes(in, "555", "800", "600");
        Tick();
        EXPECT_EQ(varer.Text3, width) << "desktop, " << in;
        EXPECT_EQ(varer.Text4, height) << "desktop, " << in;
    }
}

TEST_F(DetectionTimer, SwitchOffRecordsNothingAndNeverOffersTheRestore) {
    StartTicking(kQuake, "0");
    fake.AddGameWindow("Quake 3: Arena");
    fake.displaySize = {800, 600};
    Sizes("", "", "768", "");
    Tick();
    EXPECT_EQ(varer.Text3, "");
    EXPECT_EQ(varer.Text4, "");
    EXPECT_EQ(varer.Text5, "768");
    EXPECT_EQ(varer.Text6, "");

    // With the switch on these would offer the restore.
    fake.windowsByTitle.clear();
    Sizes("1024", "768", "800", "600");
    Tick();
    EXPECT_FALSE(varer.mPopResoRestoreVisible);
    Sizes("768", "", "800", "600");
    Tick();
    EXPECT_EQ(varer.Text3, "768");
}

TEST_F(DetectionTimer, RestoreItemIsOfferedOnlyWhenDisplayAndGameBothDifferFromTheDesktop) {
    StartTicking(kQuake); // the game has exited; the desktop was 1024x768
    const auto offered = [&](os::Size display, const char* gameW, const char* gameH) {
        varer.mPopResoRestoreVisible = false;
        fake.displaySize = display;
        Sizes("1024", "768", gameW, gameH);
        Tick();
        return varer.mPopResoRestoreVisible;
    };
    EXPECT_FALSE(offered({1024, 768}, "800", "600")) << "display back at the desktop size";
    EXPECT_FALSE(offered({1024, 600}, "800", "600")) << "display width is the desktop's";
    EXPECT_FALSE(offered({800, 768}, "800", "600")) << "display height is the desktop's";
    EXPECT_FALSE(offered({800, 600}, "1024", "600")) << "game width is the desktop's";
    EXPECT_FALSE(offered({800, 600}, "800", "768")) << "game height is the desktop's";
    EXPECT_TRUE(offered({800, 600}, "800", "600"));

    // Not running, the tick never takes the offer back.
    fake.displaySize = {1024, 768};
    Tick();
    EXPECT_TRUE(varer.mPopResoRestoreVisible);
}

} // namespace
} // namespace tuckaway
