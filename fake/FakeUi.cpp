#include "fake/FakeUi.h"

namespace tuckaway::fake {
namespace {

std::string DialogName(ui::Dialog dialog) {
    return dialog == ui::Dialog::Main ? "MainDialog" : "HotkeyDialog";
}

} // namespace

os::Window FakeUi::MainWindow() {
    return kMainWindow;
}

void FakeUi::HideMainWindow() {
    log.push_back("HideMainWindow");
    mainWindowHidden = true;
}

void FakeUi::DestroyMainWindow() {
    log.push_back("DestroyMainWindow");
    mainWindowExists = false;
}

void FakeUi::Quit() {
    log.push_back("Quit");
    quit = true;
}

void FakeUi::SetTimerInterval(unsigned milliseconds) {
    log.push_back("SetTimerInterval " + std::to_string(milliseconds));
    timerInterval = milliseconds;
}

void FakeUi::WatchGameWindow(unsigned milliseconds) {
    watchAsked = milliseconds;
}

std::optional<ui::MenuItem> FakeUi::TrackTrayMenu(bool showRestoreResolution) {
    log.push_back("TrackTrayMenu");
    menusShown.push_back(showRestoreResolution);
    return menuChoice;
}

void FakeUi::RestoreDialog(ui::Dialog dialog) {
    log.push_back("Restore" + DialogName(dialog));
}

void FakeUi::DestroyDialog(ui::Dialog dialog) {
    log.push_back("Destroy" + DialogName(dialog));
    dialogExists[dialog] = false;
    dialogVisible[dialog] = false;
}

void FakeUi::SetControlTransparent(bool transparent) {
    log.push_back(transparent ? "SetControlTransparent 1" : "SetControlTransparent 0");
    transparencyCalls.push_back(transparent);
}

bool FakeUi::DialogExists(ui::Dialog dialog) {
    return dialogExists[dialog];
}

void FakeUi::CreateDialogWindow(ui::Dialog dialog) {
    log.push_back("Create" + DialogName(dialog));
    dialogExists[dialog] = dialog != dialogCreationFails;
    dialogVisible[dialog] = false;
}

os::Window FakeUi::DialogWindow(ui::Dialog dialog) {
    if (!dialogExists[dialog]) {
        return {};
    }
    return dialog == ui::Dialog::Main ? kMainDialogWindow : kHotkeyDialogWindow;
}

void FakeUi::ShowDialog(ui::Dialog dialog) {
    log.push_back("Show" + DialogName(dialog));
    dialogVisible[dialog] = true;
}

void FakeUi::HideDialog(ui::Dialog dialog) {
    log.push_back("Hide" + DialogName(dialog));
    dialogVisible[dialog] = false;
}

void FakeUi::ShapeDialog(ui::Dialog dialog) {
    log.push_back("Shape" + DialogName(dialog));
}

void FakeUi::DragDialog(ui::Dialog dialog) {
    log.push_back("Drag" + DialogName(dialog));
}

void FakeUi::AskForIdle() {
    log.push_back("AskForIdle");
    idleAsked = true;
}

// What a dialog shows is lost while its window does not exist, as with real controls.
void FakeUi::ShowHelpText(std::string_view text) {
    if (dialogExists[ui::Dialog::Main]) {
        helpText = text;
    }
}
void FakeUi::ShowGameList(std::span<const std::string_view> entries) {
    if (dialogExists[ui::Dialog::Main]) {
        shownGameList.assign(entries.begin(), entries.end());
    }
}
void FakeUi::ShowGameSelection(int entryIndex) {
    if (dialogExists[ui::Dialog::Main]) {
        shownSelection = entryIndex;
    }
}
void FakeUi::ShowGameListLocked(bool locked) {
    if (dialogExists[ui::Dialog::Main]) {
        shownLocked = locked;
    }
}
void FakeUi::ShowScreenResCheck(int value) {
    if (dialogExists[ui::Dialog::Main]) {
        shownCheck = value;
    }
}
void FakeUi::ShowHotkeyField(ui::HotkeyField field, std::string_view text) {
    if (dialogExists[ui::Dialog::Hotkey]) {
        shownFields[field] = text;
    }
}

} // namespace tuckaway::fake
