#include "app/Program.h"
#include "hotkeys/Hotkeys.h"
#include "state/Sizes.h"

namespace tuckaway::hotkeys {
namespace {

// Switch only when the game's recorded size differs from the desktop's in both
// dimensions and the user has the switch on.
bool SwitchWanted(const Program& program) {
    const Varer& varer = program.varer;
    return program.frmAbout.ScreenResCheck() == 1 && varer.Text6 != varer.Text4 && varer.Text3 != varer.Text5;
}

void SwitchTo(Program& program, std::string_view width, std::string_view height) {
    const auto w = sizes::Parse(width);
    const auto h = sizes::Parse(height);
    if (w && h) {
        SetScreenResolution(program.os.display, program.os.boxes, *w, *h);
    }
}

} // namespace

void HideShowGame(Program& program, std::uint8_t action) {
    os::WindowManager& windows = program.os.windows;
    const std::string title = program.frmAbout.Text1;
    // An empty title would match some untitled window: never look it up.
    const os::Window game = title.empty() ? os::Window{} : windows.FindWindowByTitle(title);

    // Hot keys and ticks already queued run now, possibly this very function.
    windows.PumpPendingMessages();

    Varer& varer = program.varer;
    if (action == 0) {
        if (!game) {
            return;
        }
        windows.ShowWindow(game, os::WindowManager::ShowCommand::Hide);
        windows.SetForegroundWindow(program.ui.DialogWindow(Dialog::Hotkey));
        if (SwitchWanted(program) && !varer.Text3.empty()) {
            varer.Check1 = 1;
            SwitchTo(program, varer.Text3, varer.Text4);
        }
    } else if (action == 1) {
        if (!game) {
            return;
        }
        windows.ShowWindow(game, os::WindowManager::ShowCommand::Restore);
        windows.SetForegroundWindow(game);
        if (SwitchWanted(program) && !varer.Text5.empty()) {
            SwitchTo(program, varer.Text5, varer.Text6);
            varer.Check1 = 0;
        }
    }
}

} // namespace tuckaway::hotkeys
