#include "host/StartUp.h"
#include "app/Tuckaway.h"
#include "fake/FakeSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace tuckaway {

using namespace tuckaway::ui;
namespace {

using Lines = std::vector<std::string>;

class Startup : public ::testing::Test {
protected:
    fake::FakeSystem fake;
    Tuckaway app{fake.Services(), fake};
    Program& program = app.program;

    // A complete set of stored values, so that start-up writes only what its handlers write.
    void StoreAll() {
        fake.registry = {{"HideQ3Func", "Alt+Shift"},
                         {"ShowQ3Func", "Shift"},
                         {"HideQ3Key", "F1"},
                         {"ShowQ3Key", "q"},
                         {"currentgame_display", "Star Trek: Elite Force II"},
                         {"currentgame", "Quake 3: Arena"},
                         {"DynaScreen", "0"}};
    }
};

TEST_F(Startup, SecondInstanceOnlySaysSoAndTouchesNothing) {
    fake.anotherInstanceRuns = true;
    EXPECT_FALSE(StartUp(app, fake));

    EXPECT_EQ(fake.log, Lines{"MessageBox Tuckaway is already open!"});
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].caption, "Tuckaway v1.0");
    EXPECT_EQ(fake.boxes[0].style, os::BoxStyle::OkExclamation);
    EXPECT_TRUE(fake.registry.empty());
    EXPECT_EQ(program.PrevWndProc, 0u);
}

TEST_F(Startup, FirstRunTakesTheHotKeysFirstAndDoesTheRestWhenIdle) {
    ASSERT_TRUE(StartUp(app, fake));

    const Lines expected = {
        "Enumerate games",
        "CreateHotkeyDialog",
        "ShapeHotkeyDialog",
        "HideMainWindow",
        "Write HideQ3Func=Control",
        "Write ShowQ3Func=Control+Shift",
        "Write HideQ3Key=Z",
        "Write ShowQ3Key=Z",
        "Write currentgame_display=-=Automatic Game Detection=-",
        "Write currentgame= ",
        "Write currentgame_display=-=Automatic Game Detection=-",
        "Write DynaScreen=1",
        "Write DynaScreen=1",
        "RegisterHotKey 0 2 90",
        "RegisterHotKey 1 6 90",
        "InstallHotkeyProc 768",
        "AskForIdle",
        // One step per idle moment.
        "CreateMainDialog",
        "ShapeMainDialog",
        "AskForIdle",
        "ShowMainDialog",
        "AskForIdle",
        "Tray 0",
        "AskForIdle",
    };
    // How often a value is read is no concern; what is written, and when, is.
    Lines calls;
    std::ranges::copy_if(fake.log, std::back_inserter(calls),
                         [](const std::string& line) { return !line.starts_with("Read "); });
    EXPECT_EQ(calls, expected);
    // The main dialog's load handler reads the current game without writing a default.
    const auto created = std::ranges::find(fake.log, "CreateMainDialog");
    ASSERT_GE(std::distance(created, fake.log.end()), 3);
    EXPECT_EQ((Lines{created, created + 3}),
              (Lines{"CreateMainDialog", "Read currentgame", "ShapeMainDialog"}));
}

TEST_F(Startup, UserGamesAreReadFirstListedAfterTheNineAndChosenAgain) {
    // The longest name the tray tip still holds whole, with " - INACTIVE" and its NUL.
    const std::string longest(52, 'L');
    fake.games = {{"ioquake3", "ioquake3"},
                  {"Quake III Arena", "q3"},
                  {"Urban Terror", std::nullopt},
                  {longest, "OpenArena"}};
    fake.registry = {{"currentgame_display", longest}, {"currentgame", "OpenArena"}};
    ASSERT_TRUE(StartUp(app, fake));

    ASSERT_EQ(fake.shownGameList.size(), 12u);
    EXPECT_EQ(fake.shownGameList[9], "Return to Castle Wolfenstein (SP + MP)");
    EXPECT_EQ(fake.shownGameList[10], "ioquake3");
    EXPECT_EQ(fake.shownGameList[11], longest);
    EXPECT_EQ(fake.shownSelection, 11);
    EXPECT_EQ(program.frmAbout.Text1, "OpenArena");
    EXPECT_EQ(fake.debugLines,
              Lines{"Tuckaway: left out of the game list: \"Quake III Arena\" (a name already in "
                    "the list); \"Urban Terror\" (not a string)"});

    app.varer.Timer1_Timer();
    app.varer.Timer1_Timer();
    EXPECT_EQ(TrayTip(fake.trayCalls.back().second), longest + " - INACTIVE");
    EXPECT_EQ(fake.trayCalls.back().second.icon, fake.Logo(19));
}

TEST_F(Startup, ADialogWhoseWindowCannotBeMadeEndsStartUp) {
    {
        // The hot-key dialog comes first: nothing else is touched.
        fake::FakeSystem failing;
        failing.dialogCreationFails = Dialog::Hotkey;
        Tuckaway other{failing.Services(), failing};
        EXPECT_FALSE(StartUp(other, failing));
        other.varer.Timer1_Timer();
        other.varer.Form_MouseMove(0x0205);
        EXPECT_TRUE(failing.registry.empty());
        EXPECT_TRUE(failing.trayCalls.empty());
        EXPECT_TRUE(failing.registered.empty());
        EXPECT_EQ(failing.installedProc, nullptr);
        EXPECT_TRUE(failing.menusShown.empty()) << "a tray event was handled";
        EXPECT_TRUE(failing.boxes.empty()) << "the windows layer tells why";
    }
    // The main dialog comes at the first idle moment, after the hot keys: they
    // are let go, no icon is put up, and the program ends.
    fake.dialogCreationFails = Dialog::Main;
    StartUp(app, fake);
    EXPECT_TRUE(fake.quit);
    app.varer.Timer1_Timer();
    app.varer.Form_MouseMove(0x0205);
    EXPECT_TRUE(fake.registered.empty());
    EXPECT_TRUE(fake.LogStartingWith("Tray 0").empty());
    EXPECT_TRUE(fake.menusShown.empty()) << "a tray event was handled";
    EXPECT_TRUE(fake.boxes.empty()) << "the windows layer tells why";
}

TEST_F(Startup, FirstRunLeavesTheProgramReady) {
    fake.displaySize = {1280, 1024};
    ASSERT_TRUE(StartUp(app, fake));

    EXPECT_TRUE(fake.dialogVisible[Dialog::Main]);
    EXPECT_TRUE(fake.dialogExists[Dialog::Hotkey]);
    EXPECT_FALSE(fake.dialogVisible[Dialog::Hotkey]);
    EXPECT_TRUE(fake.mainWindowHidden);
    EXPECT_FALSE(program.varer.mPopResoRestoreVisible);
    EXPECT_EQ(fake.helpText, kHelpText);
    // Made after the settings were placed, the main dialog shows them all the same.
    EXPECT_EQ(fake.shownSelection, 0);
    EXPECT_EQ(fake.shownCheck, 1);
    EXPECT_EQ(fake.shownFields[HotkeyField::Text1], "Control");

    EXPECT_EQ(program.form1.Text(HotkeyField::Text1), "Control");
    EXPECT_EQ(program.form1.Text(HotkeyField::Text2), "Control+Shift");
    EXPECT_EQ(program.form1.Text(HotkeyField::Text3), "Z");
    EXPECT_EQ(program.form1.Text(HotkeyField::Text4), "Z");

    EXPECT_EQ(program.frmAbout.Combo1, 0);
    EXPECT_EQ(program.frmAbout.Text1, " ");
    EXPECT_EQ(fake.registry["currentgame"], " ");
    EXPECT_EQ(program.frmAbout.ScreenResCheck, 1);

    EXPECT_TRUE(program.varer.HideKeyRegistered);
    EXPECT_TRUE(program.varer.ShowKeyRegistered);
    EXPECT_FALSE(program.form1.HideKeyRegistered);
    EXPECT_FALSE(program.form1.ShowKeyRegistered);
    EXPECT_EQ(program.PrevWndProc, fake::FakeSystem::kPreviousProc);
    EXPECT_EQ(program.varer.Text3, "1280");
    EXPECT_EQ(program.varer.Text4, "1024");
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(Startup, AHotKeyWorksBeforeTheRestOfStartUpAndTicksWaitForIt) {
    fake.registry = {{"currentgame_display", "Quake III Arena"}, {"currentgame", "Quake 3: Arena"}};
    const os::Window game = fake.AddGameWindow("Quake 3: Arena");
    ASSERT_TRUE(app.varer.Form_Load());
    EXPECT_FALSE(fake.dialogExists[Dialog::Main]);
    EXPECT_TRUE(fake.trayIcons.empty());
    ASSERT_NE(fake.installedProc, nullptr);
    (*fake.installedProc)(fake::FakeSystem::kHotkeyDialogWindow, 0x0312, 0, 0);
    EXPECT_FALSE(fake.visible[game.value]);

    fake.log.clear();
    app.varer.Timer1_Timer();
    EXPECT_TRUE(fake.log.empty()) << "a tick before start-up has finished";
    while (std::exchange(fake.idleAsked, false)) {
        app.Idle();
    }
    EXPECT_TRUE(fake.dialogVisible[Dialog::Main]);
    EXPECT_EQ(fake.shownSelection, 1);
    EXPECT_EQ(fake.trayIcons.size(), 1u);
}

TEST_F(Startup, TrayIconIsAddedWithTheInactiveTip) {
    ASSERT_TRUE(StartUp(app, fake));
    ASSERT_EQ(fake.trayCalls.size(), 1u);
    const auto& [action, record] = fake.trayCalls[0];
    EXPECT_EQ(action, os::Tray::Action::Add);
    EXPECT_EQ(record.window, fake::FakeSystem::kMainWindow);
    EXPECT_EQ(record.id, 1u);
    EXPECT_EQ(record.flags, 7u);
    EXPECT_EQ(record.callbackMessage, 0x200u);
    EXPECT_EQ(record.icon, fake.Logo(1));
    const std::string tip(record.tip, sizeof record.tip);
    EXPECT_EQ(tip, std::string("Tuckaway: INACTIVE") + '\0' + std::string(64 - 19, ' '));
}

TEST_F(Startup, AnIconTheShellRefusedIsAddedByTheNextTick) {
    fake.trayRefuses = true; // no taskbar yet, at logon
    ASSERT_TRUE(StartUp(app, fake));
    fake.trayRefuses = false;
    fake.trayCalls.clear();
    app.varer.Timer1_Timer();
    ASSERT_EQ(fake.trayCalls.size(), 1u);
    EXPECT_EQ(fake.trayCalls[0].first, os::Tray::Action::Add);
    EXPECT_EQ(TrayTip(fake.trayCalls[0].second), "Tuckaway: INACTIVE");
}

TEST_F(Startup, StoredValuesAreUsedAndOnlyTheGameSelectionWrites) {
    StoreAll();
    ASSERT_TRUE(StartUp(app, fake));

    EXPECT_EQ(fake.LogStartingWith("Write "), (Lines{"Write currentgame=Elite Force II",
                                                     "Write currentgame_display=Star Trek: Elite Force II"}));
    EXPECT_EQ(fake.LogStartingWith("RegisterHotKey "),
              (Lines{"RegisterHotKey 0 5 70", "RegisterHotKey 1 4 113"}));
    EXPECT_EQ(program.frmAbout.SelectedText(), "Star Trek: Elite Force II");
    // The stored title is stale once the selection handler has run.
    EXPECT_EQ(program.frmAbout.Text1, "Elite Force II");
    EXPECT_EQ(program.frmAbout.ScreenResCheck, 0);
    // The desktop size is recorded even with the switch off.
    EXPECT_EQ(program.varer.Text3 + "x" + program.varer.Text4, "1024x768");
}

TEST_F(Startup, OnlyDynaScreenOneTurnsTheSwitchOn) {
    for (const char* value : {"0", "2", "yes", " 1", "1 ", "01", "true"}) {
        fake::FakeSystem f;
        Tuckaway other(f.Services(), f);
        Program& p = other.program;
        f.registry["DynaScreen"] = value;
        ASSERT_TRUE(StartUp(other, f));
        EXPECT_EQ(p.frmAbout.ScreenResCheck, 0) << value;
        EXPECT_TRUE(f.LogStartingWith("Write DynaScreen").empty()) << value;
        EXPECT_EQ(f.registry["DynaScreen"], value);
    }
    fake.registry["DynaScreen"] = "1";
    ASSERT_TRUE(StartUp(app, fake));
    EXPECT_EQ(program.frmAbout.ScreenResCheck, 1);
    EXPECT_EQ(fake.LogStartingWith("Write DynaScreen"), Lines{"Write DynaScreen=1"});
}

TEST_F(Startup, UnknownStoredGameFallsBackToAutomaticDetection) {
    StoreAll();
    fake.registry["currentgame_display"] = "Quake 4";
    ASSERT_TRUE(StartUp(app, fake));
    EXPECT_EQ(program.frmAbout.Combo1, 0);
    EXPECT_EQ(program.frmAbout.Text1, " ");
    EXPECT_EQ(fake.LogStartingWith("Write "),
              (Lines{"Write currentgame= ", "Write currentgame_display=-=Automatic Game Detection=-"}));
}

TEST_F(Startup, StoredEmptyValuesCountAsMissing) {
    for (const char* key : {"HideQ3Func", "ShowQ3Func", "HideQ3Key", "ShowQ3Key", "currentgame_display",
                            "currentgame", "DynaScreen"}) {
        fake.registry[key] = "";
    }
    ASSERT_TRUE(StartUp(app, fake));
    const Lines firstRunWrites = {"Write HideQ3Func=Control",
                                  "Write ShowQ3Func=Control+Shift",
                                  "Write HideQ3Key=Z",
                                  "Write ShowQ3Key=Z",
                                  "Write currentgame_display=-=Automatic Game Detection=-",
                                  "Write currentgame= ",
                                  "Write currentgame_display=-=Automatic Game Detection=-",
                                  "Write DynaScreen=1",
                                  "Write DynaScreen=1"};
    EXPECT_EQ(fake.LogStartingWith("Write "), firstRunWrites);
    EXPECT_EQ(fake.LogStartingWith("RegisterHotKey ").size(), 2u);
    EXPECT_EQ(program.frmAbout.Text1, " ");
}

TEST_F(Startup, FailingReadsLeaveEverythingEmptyButStillStart) {
    fake.failReads = true;
    ASSERT_TRUE(StartUp(app, fake));
    EXPECT_TRUE(fake.LogStartingWith("RegisterHotKey").empty());
    ASSERT_EQ(fake.boxes.size(), 2u);
    EXPECT_EQ(fake.boxes[0].text.substr(0, 40), "Could not register '+' to hide the game.");
    EXPECT_EQ(fake.boxes[1].text.substr(0, 40), "Could not register '+' to show the game.");
    EXPECT_EQ(program.frmAbout.Combo1, 0);
    EXPECT_EQ(program.frmAbout.ScreenResCheck, 0);
    EXPECT_EQ(program.PrevWndProc, fake::FakeSystem::kPreviousProc);
}

TEST(TrayTip, IsAlwaysTerminatedWithinTheField) {
    os::TrayIconRecord record;
    SetTrayTip(record, std::string(200, 'x'));
    EXPECT_EQ(record.tip[63], '\0');
    EXPECT_EQ(TrayTip(record), std::string(63, 'x'));

    SetTrayTip(record, std::string(64, 'y'));
    EXPECT_EQ(TrayTip(record), std::string(63, 'y'));

    // A shorter text replaces a longer one completely.
    SetTrayTip(record, "ab");
    EXPECT_EQ(std::string(record.tip, sizeof record.tip), std::string("ab") + '\0' + std::string(61, ' '));
    EXPECT_EQ(TrayTip(record), "ab");

    SetTrayTip(record, "");
    EXPECT_EQ(record.tip[0], '\0');
    EXPECT_EQ(TrayTip(record), "");
}

} // namespace
} // namespace tuckaway
