// What a hide changes beside the window (the game's sound, the display's
// gamma ramp and mode) and how each is given back, also after a kill.

#include "host/RunningGame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tuckaway {
namespace {

using Lines = std::vector<std::string>;
using fake::FakeSystem;

using HiddenGame = RunningGame;

TEST_F(HiddenGame, TheHiddenGameIsSilentAndComesBackAtItsOwnMuteState) {
    Hide();
    EXPECT_TRUE(fake.SessionMuted("music"));
    EXPECT_TRUE(fake.SessionMuted("voice"));
    // Recorded before it was muted.
    const auto written = std::ranges::find_if(fake.log, [](const std::string& line) {
        return line.find("\nMuted=music\tmusic\n") != std::string::npos;
    });
    ASSERT_NE(written, fake.log.end());
    EXPECT_LT(written, std::ranges::find(fake.log, "Mute 1"));

    // A session the game opens while hidden is muted by the next tick.
    fake.AddSession(game, "effects");
    app.varer.Timer1_Timer();
    EXPECT_TRUE(fake.SessionMuted("effects"));
    EXPECT_NE(Recorded("Hide").find("Muted=music\tmusic\nMuted=effects\teffects\n"), std::string::npos);

    Restore();
    EXPECT_FALSE(fake.SessionMuted("music"));
    EXPECT_FALSE(fake.SessionMuted("effects"));
    EXPECT_TRUE(fake.SessionMuted("voice")) << "muted by the user before the hide";
    EXPECT_EQ(Recorded("Hide"), "State=Shown\n");
}

TEST_F(HiddenGame, ExitTrayAndRepairGiveTheSoundBackToo) {
    Hide();
    fake.menuChoice = ui::MenuItem::mPopExit;
    app.varer.Form_MouseMove(0x0205);
    EXPECT_FALSE(fake.SessionMuted("music"));
    EXPECT_TRUE(fake.quit);

    // The game leaves the list while hidden, and the repair gives its sound back.
    FakeSystem other;
    Tuckaway second{other.Services(), other};
    ASSERT_TRUE(StartUp(second, other));
    const os::Window hidden = other.AddGameWindow("Quake 3: Arena");
    other.AddSession(hidden, "music");
    second.program.frmAbout.Text1 = "Quake 3: Arena";
    other.installedProc->operator()(FakeSystem::kHotkeyDialogWindow, hotkeys::kWmHotkey, 0, 0);
    ASSERT_TRUE(other.SessionMuted("music"));
    second.frmAbout.SelectEntry("Return to Castle Wolfenstein (SP + MP)");
    other.menuChoice = ui::MenuItem::mPopResoRestore;
    second.varer.Form_MouseMove(0x0205);
    EXPECT_FALSE(other.SessionMuted("music"));
}

TEST_F(HiddenGame, MuteWhenHiddenZeroLeavesTheSoundAloneAndOtherValuesMeanOne) {
    for (const auto& [stored, muted] : {std::pair{"0", false}, {"yes", true}, {"", true}, {"1", true}}) {
        FakeSystem f;
        Tuckaway other{f.Services(), f};
        f.sections["options"]["MuteWhenHidden"] = stored;
        ASSERT_TRUE(StartUp(other, f));
        const os::Window w = f.AddGameWindow("Quake 3: Arena");
        f.AddSession(w, "music");
        other.program.frmAbout.Text1 = "Quake 3: Arena";
        f.installedProc->operator()(FakeSystem::kHotkeyDialogWindow, hotkeys::kWmHotkey, 0, 0);
        EXPECT_FALSE(f.visible[w.value]);
        EXPECT_EQ(f.SessionMuted("music"), muted) << "MuteWhenHidden=\"" << stored << "\"";
        EXPECT_EQ(f.sections["options"]["MuteWhenHidden"], stored) << "the option is the user's to write";
    }
}

TEST_F(HiddenGame, TheDesktopHasItsOwnGammaWhileTheGameIsHidden) {
    Hide();
    EXPECT_EQ(fake.gammaRamp, FakeSystem::Ramp(0x8000));
    Hide(); // twice: the desktop's ramp is not taken for the game's
    Restore();
    EXPECT_EQ(fake.gammaRamp, FakeSystem::Ramp(0xC000));
    EXPECT_EQ(Recorded("Hide"), "State=Shown\n");

    // Hidden, then the game leaves the choice and the repair gives it back,
    // shown, with its own ramp; the desktop's comes back once it has ended.
    Hide();
    app.frmAbout.SelectEntry("Return to Castle Wolfenstein (SP + MP)");
    app.varer.mPopResoRestore_Click();
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_EQ(fake.gammaRamp, FakeSystem::Ramp(0xC000));
    app.frmAbout.SelectEntry("Quake III Arena");
    Hide();
    fake.EndProcess(Process(game));
    Tick();
    EXPECT_EQ(fake.gammaRamp, FakeSystem::Ramp(0x8000));
}

TEST_F(HiddenGame, NoRampNoDeviceNoSessionIsNoErrorAndRecordsNothing) {
    fake.gammaRamp.reset();
    fake.audioUnavailable = true;
    fake.unopenable[fake.processOfWindow.at(game.value).id] = true; // run above the program, say
    Hide();
    EXPECT_FALSE(fake.visible[game.value]);
    EXPECT_EQ(fake.displaySize, (os::Size{1024, 768}));
    // Only the window and the display's switch were recorded: nothing else was changed.
    EXPECT_EQ(Recorded("Hide"), "State=Hidden\nWindow=" + std::to_string(game.value) +
                                    "\nProcess=" + std::to_string(0x7000 + game.value) + " " +
                                    std::to_string(1000 + game.value) +
                                    "\nSwitched=1\nDesktopMode=0 1024 768 32 60\nGameMode=0 640 480 32 75\n");
    Restore();
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_EQ(Recorded("Hide"), "State=Shown\n");
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(HiddenGame, TheWholeModeIsAskedForAfterATestAndTheSizeAloneWhereTheTestFails) {
    Hide();
    ASSERT_EQ(fake.modeChanges.size(), 1u);
    const os::DisplayMode desktop = fake.modeChanges[0].first;
    EXPECT_EQ(desktop.fields, 0x005C0000u) << "width, height, depth and frequency";
    EXPECT_EQ(desktop.width, 1024);
    EXPECT_EQ(desktop.bitsPerPixel, 32u);
    EXPECT_EQ(desktop.frequency, 60u);
    EXPECT_EQ(fake.LogStartingWith("TestMode"), Lines{"TestMode 1024x768"});

    fake.testResult = -2; // DISP_CHANGE_BADMODE: the display no longer offers 75 Hz
    Restore();
    ASSERT_EQ(fake.modeChanges.size(), 2u);
    EXPECT_EQ(fake.modeChanges[1].first.fields, 0x00180000u);
    EXPECT_EQ(fake.displaySize, (os::Size{640, 480}));

    // A game that switches back by itself on losing the focus, before it
    // takes the hide, as games built on SDL do, is left alone.
    fake.testResult.reset();
    fake.log.clear();
    fake.hung[game.value] = true;
    Hide();
    fake.displaySize = {1024, 768};
    fake.displayFrequency = 60;
    fake.Answer(game);
    fake.now += 10;
    app.GameWindowWatched();
    EXPECT_TRUE(fake.LogStartingWith("ChangeMode").empty());
    EXPECT_TRUE(fake.LogStartingWith("TestMode").empty());
    EXPECT_EQ(program.varer.Check1, 1);
}

TEST_F(HiddenGame, AStartAfterAKillGivesBackWhatTheKilledRunChanged) {
    Hide();
    const auto record = fake.sections["recovery"];
    ASSERT_EQ(fake.gammaRamp, FakeSystem::Ramp(0x8000));

    // Killed; the game still runs, hidden. A new run unmutes it and forgets the
    // sessions, but keeps the game's ramp for the restore that brings it back.
    FakeSystem after;
    after.sections["recovery"] = record;
    after.running = fake.running;
    after.processOfWindow = fake.processOfWindow;
    after.visible = fake.visible;
    after.sessions = fake.sessions;
    after.gammaRamp = fake.gammaRamp;
    Tuckaway restarted{after.Services(), after};
    ASSERT_TRUE(StartUp(restarted, after));
    EXPECT_TRUE(after.SessionMuted("music")) << "still hidden: it stays silent until the restore";
    EXPECT_TRUE(after.SessionMuted("voice"));
    EXPECT_EQ(after.gammaRamp, FakeSystem::Ramp(0x8000));
    after.windowsByTitle["Quake 3: Arena"] = game;
    restarted.program.frmAbout.Text1 = "Quake 3: Arena";
    after.installedProc->operator()(FakeSystem::kHotkeyDialogWindow, hotkeys::kWmHotkey, 1, 0);
    EXPECT_EQ(after.gammaRamp, FakeSystem::Ramp(0xC000));
    EXPECT_FALSE(after.SessionMuted("music"));
    EXPECT_EQ(after.displaySize, (os::Size{640, 480})) << "the game's mode, from the record";

    // Killed with the game gone too (it crashed at its own ramp): the desktop's comes back.
    FakeSystem gone;
    gone.sections["recovery"] = record;
    gone.gammaRamp = FakeSystem::Ramp(0xC000);
    Tuckaway third{gone.Services(), gone};
    ASSERT_TRUE(StartUp(third, gone));
    EXPECT_EQ(gone.gammaRamp, FakeSystem::Ramp(0x8000));
    // Its sessions' mute, kept by the system for its next run, is taken back when they are seen.
    EXPECT_EQ(gone.sections["recovery"]["Hide"], "State=Shown\nUnmuteLater=music\n");
}

TEST_F(HiddenGame, AHiddenGameYieldsTheMachineAndGetsExactlyItsShareBack) {
    const os::ProcessId process = fake.processOfWindow.at(game.value);
    constexpr os::Throttling kEfficient{os::kThrottleExecutionSpeed, os::kThrottleExecutionSpeed};
    Hide();
    EXPECT_EQ(fake.PriorityOf(game), os::kBelowNormalPriority);
    EXPECT_EQ(fake.throttlingOf[process.id], kEfficient);
    // Recorded before it was changed.
    const auto recorded = std::ranges::find_if(fake.log, [](const std::string& line) {
        return line.starts_with("Write recovery/Hide=") &&
               line.find("\nPriorityClass=32\n") != std::string::npos;
    });
    ASSERT_NE(recorded, fake.log.end());
    EXPECT_LT(recorded, std::ranges::find(fake.log, "SetPriorityClass 16384"));
    Restore();
    EXPECT_EQ(fake.PriorityOf(game), os::kNormalPriority);
    EXPECT_EQ(fake.throttlingOf[process.id], os::Throttling{});
    EXPECT_EQ(Recorded("Hide"), "State=Shown\n");
    // Given back before the window is asked back: a lowered game would take the request late.
    EXPECT_LT(std::ranges::find(fake.log, "SetPriorityClass 32"),
              std::ranges::find(fake.log, "ShowWindow " + std::to_string(game.value) + " 9"));

    // High before the hide: high again after it. Idle before: left idle.
    fake.priorityOf[process.id] = os::kHighPriority;
    Hide();
    Restore();
    EXPECT_EQ(fake.PriorityOf(game), os::kHighPriority);
    fake.priorityOf[process.id] = os::kIdlePriority;
    fake.log.clear();
    Hide();
    EXPECT_EQ(fake.PriorityOf(game), os::kIdlePriority);
    EXPECT_TRUE(fake.LogStartingWith("SetPriorityClass").empty());
    Restore();

    // A system without efficiency mode: the class alone. YieldWhenHidden "0": nothing.
    fake.priorityOf[process.id] = os::kNormalPriority;
    fake.system = FakeSystem::System::Wine8;
    Hide();
    EXPECT_EQ(fake.PriorityOf(game), os::kBelowNormalPriority);
    Restore();
    program.yieldWhenHidden = false;
    Hide();
    EXPECT_EQ(fake.PriorityOf(game), os::kNormalPriority);
}

TEST_F(HiddenGame, AStartAfterAKillKeepsAStillHiddenGameYieldingUntilItsRestore) {
    Hide();
    FakeSystem after;
    after.sections["recovery"] = fake.sections["recovery"];
    after.running = fake.running;
    after.processOfWindow = fake.processOfWindow;
    after.windowsByTitle = fake.windowsByTitle;
    after.visible = fake.visible;
    after.priorityOf = fake.priorityOf;
    after.throttlingOf = fake.throttlingOf;
    after.registry = fake.registry;
    Tuckaway restarted{after.Services(), after};
    ASSERT_TRUE(StartUp(restarted, after));
    const std::uint32_t id = fake.processOfWindow.at(game.value).id;
    EXPECT_EQ(after.priorityOf[id], os::kBelowNormalPriority) << "adopted, still hidden";
    EXPECT_EQ(after.rescue.priorityClass, os::kNormalPriority) << "and a crash now would give it back";
    after.installedProc->operator()(FakeSystem::kHotkeyDialogWindow, hotkeys::kWmHotkey, 1, 0);
    EXPECT_TRUE(after.visible[game.value]);
    EXPECT_EQ(after.priorityOf[id], os::kNormalPriority);
    EXPECT_EQ(after.throttlingOf[id], os::Throttling{});
    EXPECT_EQ(after.sections["recovery"]["Hide"], "State=Shown\n");
}

TEST(HiddenGameRecord, AnyStoredRecordStartsCleanlyAndNeverActsOnAnotherProcesssWindow) {
    std::mt19937 rng(20261208);
    hide::Hide whole;
    whole.phase = hide::Phase::Hidden;
    whole.window = os::Window{0x5000};
    whole.process = {0x9999, 99};
    whole.switched = true;
    whole.desktopMode = {0, 1024, 768, 32, 60};
    whole.gameMode = {0, 640, 480, 32, 75};
    whole.muted = {{"game|music", "game|music|1234"}};
    whole.unmuteLater = {"game|voice"};
    whole.priorityClass = os::kNormalPriority;
    whole.throttling = os::Throttling{};
    whole.gameGamma = FakeSystem::Ramp(0x1234);
    whole.desktopGamma = FakeSystem::Ramp(0xFFFF);
    const std::string valid = hide::RecordText(whole);
    for (int i = 0; i < 400; ++i) {
        FakeSystem f;
        // A window of another program, which a stale or forged record may name.
        const os::Window other = f.AddGameWindow("Notepad");
        f.visible[other.value] = false;
        std::string text;
        for (std::size_t at = 0; at < valid.size(); ++at) {
            const char c = valid[at];
            text += rng() % 200 == 0 ? static_cast<char>(rng()) : c;
            if (c == '\n' && rng() % 4 == 0) {
                text += "Window=" + std::to_string(rng() % 2 ? other.value : rng()) + "\n";
            }
        }
        f.sections["recovery"]["Hide"] = text;
        f.sections["recovery"]["Game"] = rng() % 2 ? "1234 5" : "x";
        f.sections["options"]["MuteWhenHidden"] = rng() % 2 ? "1" : "\n";
        f.gammaRamp = FakeSystem::Ramp(0x4000);
        Tuckaway app{f.Services(), f};
        ASSERT_TRUE(StartUp(app, f));
        EXPECT_TRUE(f.visible[other.value] == false) << text;
        EXPECT_TRUE(f.LogStartingWith("ShowWindow " + std::to_string(other.value)).empty()) << text;
        EXPECT_TRUE(f.boxes.empty());
        // Its process does not run: nothing of it is left to act on.
        EXPECT_FALSE(hide::Load(app.program.settings).HoldsChanges()) << text;
    }
}

} // namespace
} // namespace tuckaway
