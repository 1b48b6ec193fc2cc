#include "dialogs/FrmAbout.h"

#include "app/Program.h"
#include "dialogs/Form1.h"
#include "state/Catalogue.h"
#include "state/Sizes.h"

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
    if (!program_.ui.DialogExists(Dialog::Main)) {
        program_.ui.CreateDialogWindow(Dialog::Main);
        Form_Load();
    }
}

void FrmAbout::Form_Load() {
    Text1 = program_.settings.Read(settings::kCurrentGame);
    Text2 = kHelpText;
    program_.ui.ShowHelpText(Text2);
    program_.ui.ShapeDialog(Dialog::Main);
}

void FrmAbout::Combo1_Click() {
    const std::string entry(SelectedText());
    if (const auto title = catalogue::TitleOfEntry(entry)) {
        Text1 = *title;
    }
    program_.settings.Write(settings::kCurrentGame, Text1);
    program_.settings.Write(settings::kCurrentGameDisplay, entry);
}

void FrmAbout::ScreenResCheck_Click() {
    program_.settings.Write(settings::kDynaScreen, std::to_string(screenResCheck_));
    if (screenResCheck_ == 1) {
        const os::Size desktop = program_.os.display.CurrentSize();
        program_.varer.Text3 = sizes::ToText(desktop.width);
        program_.varer.Text4 = sizes::ToText(desktop.height);
    }
}

void FrmAbout::cmdOK_Click() {
    program_.ui.HideDialog(Dialog::Main);
}

void FrmAbout::Label1_MouseMove(unsigned buttons, unsigned /*shift*/, int /*x*/, int /*y*/) {
    if (buttons == kLeftButton) {
        program_.ui.DragDialog(Dialog::Main);
    }
}

bool FrmAbout::SelectEntry(std::string_view entry) {
    const auto index = catalogue::EntryIndex(entry);
    if (!index) {
        return false;
    }
    SelectIndex(*index);
    return true;
}

void FrmAbout::SelectIndex(int index) {
    const auto entries = catalogue::ListEntries();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) {
        return;
    }
    selected_ = index;
    program_.ui.ShowGameSelection(index);
    Combo1_Click();
}

void FrmAbout::UserSelected(int index) {
    if (locked_) {
        // The list may still show the user's attempt; put the real choice back.
        if (selected_) {
            program_.ui.ShowGameSelection(*selected_);
        }
        return;
    }
    SelectIndex(index);
}

std::string_view FrmAbout::SelectedText() const {
    if (!selected_) {
        return {};
    }
    return catalogue::ListEntries()[static_cast<std::size_t>(*selected_)];
}

void FrmAbout::SetCombo1Locked(bool locked) {
    locked_ = locked;
    program_.ui.ShowGameListLocked(locked);
}

void FrmAbout::SetScreenResCheck(int value) {
    if (value == screenResCheck_) {
        return;
    }
    screenResCheck_ = value;
    program_.ui.ShowScreenResCheck(value);
    ScreenResCheck_Click();
}

} // namespace tuckaway
