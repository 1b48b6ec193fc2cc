#include "hotkeys/HiddenGame.h"
#include "hotkeys/Hotkeys.h"
#include "state/Sizes.h"

namespace tuckaway::hotkeys {
namespace {

// Switch only when the game's recorded size differs from the desktop's in both
// dimensions and the user has the switch on.
bool SwitchWanted(const Program& program) {
    const VarerFields& varer = program.varer;
    return program.frmAbout.ScreenResCheck == 1 && varer.Text6 != varer.Text4 && varer.Text3 != varer.Text5;
}

} // namespace

void RecordMode(Program& program, Mode mode) {
    VarerFields& varer = program.varer;
    const os::Size size = program.os.display.CurrentSize();
    os::DisplayMode current;
    if (!program.os.display.CurrentMode(current)) {
        current = {};
    }
    const bool desktop = mode == Mode::Desktop;
    (desktop ? varer.Text3 : varer.Text5) = sizes::ToText(size.width);
    (desktop ? varer.Text4 : varer.Text6) = sizes::ToText(size.height);
    (desktop ? varer.desktopBits : varer.gameBits) = current.bitsPerPixel;
    (desktop ? varer.desktopFrequency : varer.gameFrequency) = current.frequency;
}

void SwitchTo(Program& program, Mode mode) {
    const VarerFields& varer = program.varer;
    const bool desktop = mode == Mode::Desktop;
    const auto w = sizes::Parse(desktop ? varer.Text3 : varer.Text5);
    const auto h = sizes::Parse(desktop ? varer.Text4 : varer.Text6);
    if (!w || !h) {
        return;
    }
    const bool switched = SetScreenResolution(program.os.display, program.os.boxes, *w, *h,
                                              desktop ? varer.desktopBits : varer.gameBits,
                                              desktop ? varer.desktopFrequency : varer.gameFrequency);
    if (!desktop) {
        // Even a change that needs a restart, or was refused, may have been stored.
        program.gameModeStored = true;
    } else if (switched) {
        program.gameModeStored = false;
    }
}

void StoreDesktopMode(Program& program) {
    const auto w = sizes::Parse(program.varer.Text3);
    const auto h = sizes::Parse(program.varer.Text4);
    if (program.gameModeStored && w && h && StoreDefaultMode(program.os.display, *w, *h)) {
        program.gameModeStored = false;
    }
}

os::Window FindGameWindow(Program& program) {
    // An empty title would match some untitled window.
    const std::string& title = program.frmAbout.Text1;
    return title.empty() ? os::Window{} : program.os.windows.FindWindowByTitle(title);
}

void KeepGameHidden(Program& program, os::Window game) {
    if (!program.hiddenGame) {
        return;
    }
    if (game != program.hiddenGame) {
        // Gone, or no longer the current game: nothing of ours to keep hidden.
        program.hiddenGame = {};
        ForgetGoneGame(program);
        return;
    }
    using State = os::WindowManager::WindowState;
    switch (program.os.windows.StateOf(game)) {
    case State::Hidden:
        KeepGameMuted(program);
        break;
    case State::Minimized:
        program.os.windows.ShowWindow(game, os::WindowManager::ShowCommand::Hide);
        KeepGameMuted(program);
        break;
    case State::Shown:
        // The user brought it back (its taskbar button, say): so are its sound and ramp.
        program.hiddenGame = {};
        GiveGameBack(program);
        break;
    }
}

void RestoreGameWindow(Program& program, os::Window game) {
    // SW_RESTORE also un-minimises a game that minimised itself while hidden.
    program.hiddenGame = {};
    program.os.windows.ShowWindow(game, os::WindowManager::ShowCommand::Restore);
    program.os.windows.SetForegroundWindow(game);
}

void SwitchToGameResolution(Program& program) {
    VarerFields& varer = program.varer;
    if (SwitchWanted(program) && !varer.Text5.empty()) {
        SwitchTo(program, Mode::Game);
        varer.Check1 = 0;
    }
    // After the switch: a mode change may reset the display's ramp.
    GiveGameBack(program);
}

void HideShowGame(Program& program, std::uint8_t action, os::Window game) {
    // Hot keys and ticks already queued run now, possibly this very function.
    program.os.windows.PumpPendingMessages();

    if (!game || action > 1) {
        return;
    }
    VarerFields& varer = program.varer;
    if (action == 0) {
        program.os.windows.ShowWindow(game, os::WindowManager::ShowCommand::Hide);
        program.hiddenGame = game;
        program.os.windows.SetForegroundWindow(program.ui.DialogWindow(ui::Dialog::Hotkey));
        MuteGame(program, game);
        if (SwitchWanted(program) && !varer.Text3.empty()) {
            varer.Check1 = 1;
            SwitchTo(program, Mode::Desktop);
        }
        ShowDesktopGamma(program);
    } else {
        RestoreGameWindow(program, game);
        SwitchToGameResolution(program);
    }
}

} // namespace tuckaway::hotkeys
