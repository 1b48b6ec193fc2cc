#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"
#include "ports/Ui.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tuckaway::fake {

// Ui: the program's own windows (the main window, its two dialogs and the tray
// menu) and what they show.
class FakeUi : public virtual FakeLog, public ui::Port {
public:
    static constexpr os::Window kMainWindow{0x100};
    static constexpr os::Window kMainDialogWindow{0x200};
    static constexpr os::Window kHotkeyDialogWindow{0x300};

    // The watch on the game's window: how long until the windows raise
    // GameWindowWatched (the test raises it); nothing when no watch is asked.
    std::optional<unsigned> watchAsked;

    bool mainWindowExists = true;
    bool quit = false;
    unsigned timerInterval = 5;
    // The item the user picks when the tray menu opens (nothing: dismissed), and
    // whether each opening offered "&Restore Resolution...".
    std::optional<ui::MenuItem> menuChoice;
    std::vector<bool> menusShown;
    std::vector<bool> transparencyCalls;
    std::map<ui::Dialog, bool> dialogExists;
    // A dialog whose window the system refuses to create.
    std::optional<ui::Dialog> dialogCreationFails;
    std::map<ui::Dialog, bool> dialogVisible;
    bool mainWindowHidden = false;
    std::string helpText;
    std::vector<std::string> shownGameList;
    std::optional<int> shownSelection;
    bool shownLocked = false;
    int shownCheck = 0;
    std::map<ui::HotkeyField, std::string> shownFields;
    // The windows owe an Idle event: the test raises it.
    bool idleAsked = false;

    os::Window MainWindow() override;
    void HideMainWindow() override;
    void DestroyMainWindow() override;
    void Quit() override;
    void SetTimerInterval(unsigned milliseconds) override;
    void WatchGameWindow(unsigned milliseconds) override;
    std::optional<ui::MenuItem> TrackTrayMenu(bool showRestoreResolution) override;
    void RestoreDialog(ui::Dialog dialog) override;
    void DestroyDialog(ui::Dialog dialog) override;
    void SetControlTransparent(bool transparent) override;
    bool DialogExists(ui::Dialog dialog) override;
    void CreateDialogWindow(ui::Dialog dialog) override;
    os::Window DialogWindow(ui::Dialog dialog) override;
    void ShowDialog(ui::Dialog dialog) override;
    void HideDialog(ui::Dialog dialog) override;
    void ShapeDialog(ui::Dialog dialog) override;
    void DragDialog(ui::Dialog dialog) override;
    void AskForIdle() override;
    void ShowHelpText(std::string_view text) override;
    void ShowGameList(std::span<const std::string_view> entries) override;
    void ShowGameSelection(int entryIndex) override;
    void ShowGameListLocked(bool locked) override;
    void ShowScreenResCheck(int value) override;
    void ShowHotkeyField(ui::HotkeyField field, std::string_view text) override;
};

} // namespace tuckaway::fake
