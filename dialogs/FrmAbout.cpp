#include "dialogs/FrmAbout.h"

#include "hotkeys/Hotkeys.h"
#include "state/Catalogue.h"

namespace tuckaway {

const std::string_view kHelpText =
    "Tuckaway is a small program that will allow you to minimize nearly any Q3 based game anytime, in-game "
    "without having to suffer any pesky lag or loading times.\r\n"
    "To customize this program, right-click on the Q3 Logo icon in the Windows System tray and choose "
    "'Settings'.\r\n\r\n"
    "To close this program, right-click on it's icon in the system tray and choose 'Exit'.  (The game will "
    "automatically restore if it's open.)\r\n\r\n"
    "Happy Fragging!!\r\n"
    "-Wex";

void FrmAbout::Load() {
    if (!program_.ui.DialogExists(ui::Dialog::Main)) {
        program_.ui.CreateDialogWindow(ui::Dialog::Main);
        program_.ui.ShowGameList(program_.catalogue.ListEntries());
        // A window made after its fields were set shows them.
        const FrmAboutFields& fields = program_.frmAbout;
        if (fields.Combo1) {
            program_.ui.ShowGameSelection(*fields.Combo1);
        }
        program_.ui.ShowGameListLocked(fields.Combo1Locked);
        program_.ui.ShowScreenResCheck(fields.ScreenResCheck);
        Form_Load();
    }
}

void FrmAbout::Form_Load() {
    FrmAboutFields& fields = program_.frmAbout;
    fields.Text1 = program_.settings.Read(settings::kCurrentGame);
    fields.Text2 = kHelpText;
    program_.ui.ShowHelpText(fields.Text2);
    program_.ui.ShapeDialog(ui::Dialog::Main);
}

void FrmAbout::Combo1_Click() {
    FrmAboutFields& fields = program_.frmAbout;
    const std::string entry(fields.SelectedText());
    if (const auto title = program_.catalogue.TitleOfEntry(entry)) {
        fields.Text1 = *title;
    }
    program_.settings.Write(settings::kCurrentGame, fields.Text1);
    program_.settings.Write(settings::kCurrentGameDisplay, entry);
}

void FrmAbout::ScreenResCheck_Click() {
    const int checked = program_.frmAbout.ScreenResCheck;
    program_.settings.Write(settings::kDynaScreen, std::to_string(checked));
    if (checked == 1) {
        hotkeys::RecordMode(program_, hotkeys::Mode::Desktop);
    }
}

void FrmAbout::cmdOK_Click() {
    program_.ui.HideDialog(ui::Dialog::Main);
}

void FrmAbout::Label1_MouseMove(unsigned buttons, unsigned /*shift*/, int /*x*/, int /*y*/) {
    if (buttons == ui::kLeftButton) {
        program_.ui.DragDialog(ui::Dialog::Main);
    }
}

bool FrmAbout::SelectEntry(std::string_view entry) {
    const auto index = program_.catalogue.EntryIndex(entry);
    if (!index) {
        return false;
    }
    SelectIndex(*index);
    return true;
}

void FrmAbout::SelectIndex(int index) {
    const auto entries = program_.catalogue.ListEntries();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) {
        return;
    }
    program_.frmAbout.Combo1 = index;
    program_.ui.ShowGameSelection(index);
    Combo1_Click();
}

void FrmAbout::UserSelected(int index) {
    const FrmAboutFields& fields = program_.frmAbout;
    if (fields.Combo1Locked) {
        // The list may still show the user's attempt; put the real choice back.
        if (fields.Combo1) {
            program_.ui.ShowGameSelection(*fields.Combo1);
        }
        return;
    }
    SelectIndex(index);
}

void FrmAbout::SetCombo1Locked(bool locked) {
    program_.frmAbout.Combo1Locked = locked;
    program_.ui.ShowGameListLocked(locked);
}

void FrmAbout::SetScreenResCheck(int value) {
    if (value == program_.frmAbout.ScreenResCheck) {
        return;
    }
    program_.frmAbout.ScreenResCheck = value;
    program_.ui.ShowScreenResCheck(value);
    ScreenResCheck_Click();
}

} // namespace tuckaway
