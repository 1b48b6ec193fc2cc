#pragma once

// Quake III Arena chosen and running at 640x480 (75 Hz) on a 1024x768 desktop,
// switch on, with a session playing ("music") and one the user muted
// ("voice"), and the desktop's and the game's gamma ramps apart.

#include "app/Tuckaway.h"
#include "fake/FakeSystem.h"
#include "host/StartUp.h"
#include "hotkeys/Hotkeys.h"

#include <gtest/gtest.h>

#include <string>

namespace tuckaway {

class RunningGame : public ::testing::Test {
protected:
    fake::FakeSystem fake;
    Tuckaway app{fake.Services(), fake};
    Program& program = app.program;
    os::Window game;

    void SetUp() override {
        fake.registry = {{"currentgame_display", "Quake III Arena"},
                         {"currentgame", "Quake 3: Arena"},
                         {"DynaScreen", "1"}};
        fake.gammaRamp = fake::FakeSystem::Ramp(0x8000); // the desktop's
        ASSERT_TRUE(StartUp(app, fake));
        app.varer.Timer1_Timer(); // no game yet: the desktop's ramp is recorded
        game = fake.AddGameWindow("Quake 3: Arena");
        fake.AddSession(game, "music");
        fake.AddSession(game, "voice", /*muted=*/true);
        fake.displaySize = {640, 480};
        fake.displayFrequency = 75;
        fake.gammaRamp = fake::FakeSystem::Ramp(0xC000); // the game's, brighter
        app.varer.Timer1_Timer();                        // the game's mode recorded
        fake.log.clear();
    }

    // A hot key as the system sends it: 0 hides, 1 restores.
    void Key(std::uintptr_t id) {
        fake.installedProc->operator()(fake::FakeSystem::kHotkeyDialogWindow, hotkeys::kWmHotkey, id,
                                       id == 0 ? 0x005A0002 : 0x005A0006);
    }
    void Hide() { Key(0); }
    void Restore() { Key(1); }
    // A detection tick, 150 ms on; the watch on a request to the window, 10 ms on.
    void Tick() {
        fake.now += 150;
        app.varer.Timer1_Timer();
    }
    void Watch() {
        fake.now += 10;
        app.GameWindowWatched();
    }
    os::ProcessId Process(os::Window window) const { return fake.processOfWindow.at(window.value); }
    std::string Recorded(std::string_view key) { return fake.sections["recovery"][std::string(key)]; }
};

} // namespace tuckaway
