// The tray icon's events, its pop-up menu and the main window's unload.

#include "app/Varer.h"
#include "hotkeys/HiddenGame.h"
#include "state/Catalogue.h"

namespace tuckaway {
namespace {

// Mouse messages as the shell reports them in the low word of lParam.
constexpr unsigned kLeftButtonUp = 0x0202;
constexpr unsigned kLeftDoubleClick = 0x0203;
constexpr unsigned kRightButtonUp = 0x0205;

} // namespace

void Varer::Form_MouseMove(std::intptr_t lParam) {
    Program& p = program_;
    if (!p.varer.started) {
        return;
    }
    const os::Window game = hotkeys::FindGameWindow(p);
    switch (static_cast<unsigned>(lParam) & 0xFFFFu) {
    case kLeftButtonUp:
        if (!game) {
            BringForward(ui::Dialog::Hotkey);
        } else if (!hotkeys::OutOfReach(p, game)) {
            hotkeys::Step(p, hotkeys::HideEvent::RestoreKey, game);
        }
        break;
    case kLeftDoubleClick:
        BringForward(ui::Dialog::Hotkey);
        break;
    case kRightButtonUp:
        ShowPopupMenu();
        break;
    default:
        break;
    }
}

void Varer::BringForward(ui::Dialog dialog) {
    Program& p = program_;
    if (dialog == ui::Dialog::Main) {
        frmAbout_.Load();
    } else {
        form1_.Load();
    }
    p.ui.RestoreDialog(dialog);
    p.os.windows.SetForegroundWindow(p.ui.DialogWindow(dialog));
    p.ui.ShowDialog(dialog);
}

void Varer::ShowPopupMenu() {
    Program& p = program_;
    // The menu closes when the user clicks elsewhere only if its owner is in front.
    p.os.windows.SetForegroundWindow(p.ui.MainWindow());
    const auto chosen = p.ui.TrackTrayMenu(p.varer.mPopResoRestoreVisible);
    if (!chosen) {
        return;
    }
    switch (*chosen) {
    case ui::MenuItem::mPopAbout:
        mPopAbout_Click();
        break;
    case ui::MenuItem::mPopRestore:
        mPopRestore_Click();
        break;
    case ui::MenuItem::mPopResoRestore:
        mPopResoRestore_Click();
        break;
    case ui::MenuItem::mPopExit:
        mPopExit_Click();
        break;
    }
}

void Varer::mPopAbout_Click() {
    BringForward(ui::Dialog::Main);
}

void Varer::mPopRestore_Click() {
    BringForward(ui::Dialog::Hotkey);
}

void Varer::Form_Resize(bool minimized) {
    if (minimized) {
        program_.ui.HideMainWindow();
    }
}

void Varer::Form_TaskbarCreated() {
    TrayIconShell& shell = program_.varer.trayShell;
    shell.added = false;
    shell.accepted.reset();
    PushTray();
}

void Varer::Form_QueryUnload() {
    // Shown, not switched: the desktop's mode is the one the display stores,
    // and the next logon starts in it.
    hotkeys::Step(program_, hotkeys::HideEvent::SessionEnd, hotkeys::FindGameWindow(program_));
}

void Varer::EndSession() {
    program_.closing = true;
    Form_QueryUnload();
    ForgetDetectedGame();
    // Nothing more may happen: a tick now would find the game again and store it.
    Close();
}

void Varer::ForgetDetectedGame() {
    if (program_.varer.AutoDetectCheck == 1) {
        program_.varer.AutoDetectCheck = 0;
        frmAbout_.SelectEntry(catalogue::kAutomaticEntry);
    }
    hotkeys::SetDetected(program_, false);
}

void Varer::Form_Unload() {
    Program& p = program_;
    startupSteps_.clear();
    p.os.tray.Notify(os::Tray::Action::Delete, p.varer.TrayIconData);
    p.varer.trayShell = {};
    // Only what start-up registered; the dialog's own registrations end with the process.
    if (p.varer.HideKeyRegistered) {
        hotkeys::UnregisterHotkey(p, hotkeys::HotkeyId::Hide);
    }
    if (p.varer.ShowKeyRegistered) {
        hotkeys::UnregisterHotkey(p, hotkeys::HotkeyId::Restore);
    }
}

void Varer::mPopResoRestore_Click() {
    Program& p = program_;
    const os::Size current = p.os.display.CurrentSize();
    if (hotkeys::FindGameWindow(p)) {
        p.os.boxes.Show("Resolution Restoration is currently not necessary.", kAppTitle, os::BoxStyle::Ok);
        return;
    }
    if (DesktopModeNeedsRestoring(current)) {
        hotkeys::SwitchTo(p, hotkeys::Mode::Desktop);
    }
    // A hidden game whose window is not the current game's any more is given back too.
    hotkeys::Step(p, hotkeys::HideEvent::Repair);
    p.varer.mPopResoRestoreVisible = false;
}

void Varer::mPopExit_Click() {
    Program& p = program_;
    // From here on nothing queued or pumped acts on the game.
    p.closing = true;
    // The game the program hid is given back as the restore would, also when
    // it is no longer the one chosen.
    const os::Window hidden = p.hide.phase != hide::Phase::Shown ? p.hide.window : os::Window{};
    const os::Window game =
        hidden && p.os.processes.Runs(p.hide.process) ? hidden : hotkeys::FindGameWindow(p);
    const bool reachable = game && !hotkeys::ProcessOfGame(p, game).outranks;
    if (reachable) {
        hotkeys::Step(p, hotkeys::HideEvent::ExitAsked, game);
        ForgetDetectedGame();
    }
    // The game's mode only with its window: a game that does not answer is
    // shown when it does, at the desktop's mode the display is in.
    hotkeys::Step(p, hotkeys::HideEvent::ExitDone, reachable ? game : os::Window{});
    Close();
}

void Varer::Close() {
    Program& p = program_;
    // A fault from here on has nothing left to put right.
    p.os.crashPlan.Update({});
    Form_Unload();
    p.ui.DestroyMainWindow();
    p.ui.DestroyDialog(ui::Dialog::Main);
    p.ui.DestroyDialog(ui::Dialog::Hotkey);
    p.ui.Quit();
}

} // namespace tuckaway
