#pragma once

// The main settings dialog's handlers: the game list, the resolution switch
// and the help text, plus the hidden field holding the current game's title.

#include "state/Program.h"

#include <string_view>

namespace tuckaway {

extern const std::string_view kHelpText;

class FrmAbout {
public:
    explicit FrmAbout(Program& program) : program_(program) {}

    // Creates the window if it does not exist yet and runs Form_Load once for it.
    void Load();

    void Form_Load();
    void Combo1_Click();
    void ScreenResCheck_Click();
    void cmdOK_Click();
    void Label1_MouseMove(unsigned buttons, unsigned shift, int x, int y);

    // Selection from code, by entry text; runs Combo1_Click. False when the
    // list has no such entry (nothing changes then).
    bool SelectEntry(std::string_view entry);
    // Selection by list position, from code or from the user; runs Combo1_Click.
    void SelectIndex(int index);
    // The user's choice in the list; refused while the list is locked.
    void UserSelected(int index);

    void SetCombo1Locked(bool locked);
    // Runs ScreenResCheck_Click when the value changes.
    void SetScreenResCheck(int value);

private:
    Program& program_;
};

} // namespace tuckaway
