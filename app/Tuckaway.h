#pragma once

// The program's logic as one object: its state, the handlers of its three
// windows, and the windows' events routed to those handlers. The entry point
// builds it on the real ports; the tests build it on the fake.

#include "app/Varer.h"
#include "dialogs/Form1.h"
#include "dialogs/FrmAbout.h"
#include "hotkeys/HiddenGame.h"
#include "state/Program.h"

namespace tuckaway {

class Tuckaway final : public ui::Events {
public:
    Tuckaway(const os::Services& services, ui::Port& ui) : program(services, ui) {}

    Program program;
    Form1 form1{program};
    FrmAbout frmAbout{program};
    Varer varer{program, frmAbout, form1};

    void Idle() override { varer.FinishStartup(); }
    void TimerTicked() override { varer.Timer1_Timer(); }
    void GameWindowWatched() override { hotkeys::Step(program, hotkeys::HideEvent::Watch); }
    void TrayEvent(std::intptr_t lParam) override { varer.Form_MouseMove(lParam); }
    void MainWindowResized(bool minimized) override { varer.Form_Resize(minimized); }
    // Leaves as "&Exit" would, game and display included.
    void MainWindowCloseRequested() override { varer.mPopExit_Click(); }
    void SessionEndQueried() override { varer.Form_QueryUnload(); }
    void SessionEnding() override { varer.EndSession(); }
    void TaskbarCreated() override { varer.Form_TaskbarCreated(); }
    void ForegroundChanged() override { varer.Form_ForegroundChanged(); }

    void GameChosen(int entryIndex) override { frmAbout.UserSelected(entryIndex); }
    void ScreenResCheckClicked(bool checked) override { frmAbout.SetScreenResCheck(checked ? 1 : 0); }
    void MainDialogOkay() override { frmAbout.cmdOK_Click(); }
    void MainDialogMouseMove(unsigned buttons, unsigned shift, int x, int y) override {
        frmAbout.Label1_MouseMove(buttons, shift, x, y);
    }

    void HotkeyFieldKeyDown(ui::HotkeyField field, unsigned keyCode, unsigned shift) override;
    void HotkeyFieldKeyUp(ui::HotkeyField field, unsigned /*keyCode*/, unsigned /*shift*/) override {
        form1.KeyUp(field);
    }
    void HotkeyDialogOkay() override { form1.Command2_Click(); }
    void HotkeyDialogMouseMove(unsigned buttons, unsigned shift, int x, int y) override {
        form1.Label5_MouseMove(buttons, shift, x, y);
    }
};

} // namespace tuckaway
