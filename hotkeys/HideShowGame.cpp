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

void SwitchTo(Program& program, std::string_view width, std::string_view height) {
    const auto w = sizes::Parse(width);
    const auto h = sizes::Parse(height);
    if (!w || !h) {
        return;
    }
    const bool switched = SetScreenResolution(program.os.display, program.os.boxes, *w, *h);
    if (width != program.varer.Text3 || height != program.varer.Text4) {
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
        return;
    }
    using State = os::WindowManager::WindowState;
    switch (program.os.windows.StateOf(game)) {
    case State::Hidden:
        break;
    case State::Minimized:
        program.os.windows.ShowWindow(game, os::WindowManager::ShowCommand::Hide);
        break;
    case State::Shown:
        program.hiddenGame = {};
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
        SwitchTo(program, varer.Text5, varer.Text6);
        varer.Check1 = 0;
    }
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
        if (SwitchWanted(program) && !varer.Text3.empty()) {
            varer.Check1 = 1;
            SwitchTo(program, varer.Text3, varer.Text4);
        }
    } else {
        RestoreGameWindow(program, game);
        SwitchToGameResolution(program);
    }
}

} // namespace tuckaway::hotkeys
