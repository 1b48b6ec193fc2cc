#pragma once

// The program's own windows as the logic sees them, in both directions: the
// Port is what the logic asks of the windows; Events is what the windows
// report. The Windows layer builds the real windows and raises the events;
// the tests use a fake. The logic keeps every state field itself and mirrors
// the visible ones through the Port; a mirror update never raises an event, so
// the logic alone decides which handlers a change runs.

#include "ports/Os.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tuckaway::ui {

enum class Dialog { Main, Hotkey };

// The items of the tray menu, in the order it shows them.
enum class MenuItem { mPopAbout, mPopRestore, mPopResoRestore, mPopExit };

// The four capture fields of the hot-key dialog.
enum class HotkeyField { Text1 = 1, Text2 = 2, Text3 = 3, Text4 = 4 };

// Keys held while a key event happens: 1 Shift, 2 Control, 4 Alt.
inline constexpr unsigned kShiftMask = 1;
inline constexpr unsigned kControlMask = 2;
inline constexpr unsigned kAltMask = 4;
// Mouse buttons held while the mouse moves: 1 left, 2 right, 4 middle.
inline constexpr unsigned kLeftButton = 1;

class Port {
public:
    virtual ~Port() = default;

    virtual os::Window MainWindow() = 0;
    virtual void HideMainWindow() = 0;
    // Destroys the main window; its timer stops with it.
    virtual void DestroyMainWindow() = 0;
    // Ends the message loop once the current handler returns.
    virtual void Quit() = 0;
    // The detection timer of the main window; it runs from the window's creation.
    virtual void SetTimerInterval(unsigned milliseconds) = 0;
    // One GameWindowWatched event after that long (a later call replaces an
    // earlier one): how the program sees a request to the game's window done.
    virtual void WatchGameWindow(unsigned milliseconds) = 0;
    // Shows the tray menu at the cursor and returns the item chosen, if any.
    virtual std::optional<MenuItem> TrackTrayMenu(bool showRestoreResolution) = 0;

    virtual bool DialogExists(Dialog dialog) = 0;
    // Creates the dialog's window hidden; the caller runs its load handler.
    virtual void CreateDialogWindow(Dialog dialog) = 0;
    virtual os::Window DialogWindow(Dialog dialog) = 0;
    // Shown modeless and without an owner.
    virtual void ShowDialog(Dialog dialog) = 0;
    virtual void HideDialog(Dialog dialog) = 0;
    // Un-minimises the dialog's window.
    virtual void RestoreDialog(Dialog dialog) = 0;
    virtual void DestroyDialog(Dialog dialog) = 0;
    // Cuts the dialog's window to the outline of its skin.
    virtual void ShapeDialog(Dialog dialog) = 0;
    // Lets the system move the dialog with the mouse, as if its title bar were held.
    virtual void DragDialog(Dialog dialog) = 0;
    // Asks for one Idle event, as soon as no message is waiting.
    virtual void AskForIdle() = 0;

    virtual void ShowHelpText(std::string_view text) = 0;
    // The game list's entries, in order; selections refer to their positions.
    virtual void ShowGameList(std::span<const std::string_view> entries) = 0;
    virtual void ShowGameSelection(int entryIndex) = 0;
    virtual void ShowGameListLocked(bool locked) = 0;
    virtual void ShowScreenResCheck(int value) = 0;
    virtual void ShowHotkeyField(HotkeyField field, std::string_view text) = 0;
    // Cuts every pixel that shows the button-face colour out of the main
    // dialog's check box, or gives it back its whole rectangle.
    virtual void SetControlTransparent(bool transparent) = 0;
};

class Events {
public:
    virtual ~Events() = default;

    // No message was waiting, as AskForIdle asked.
    virtual void Idle() = 0;

    // The main window.
    virtual void TimerTicked() = 0;
    // As WatchGameWindow asked.
    virtual void GameWindowWatched() = 0;
    // A tray event: the mouse message over the icon is in the low word.
    virtual void TrayEvent(std::intptr_t lParam) = 0;
    virtual void MainWindowResized(bool minimized) = 0;
    // Asked to close from outside (not through the tray menu).
    virtual void MainWindowCloseRequested() = 0;
    // The session asks whether it may end (the program always agrees), then
    // says that it ends.
    virtual void SessionEndQueried() = 0;
    virtual void SessionEnding() = 0;
    // The shell's taskbar was made anew (Explorer restarted): it holds none of
    // the icons the old one had.
    virtual void TaskbarCreated() = 0;
    // A window of another program took the foreground.
    virtual void ForegroundChanged() = 0;

    // The main settings dialog.
    virtual void GameChosen(int entryIndex) = 0;
    virtual void ScreenResCheckClicked(bool checked) = 0;
    // "Okay!", Enter, Esc or a request to close.
    virtual void MainDialogOkay() = 0;
    virtual void MainDialogMouseMove(unsigned buttons, unsigned shift, int x, int y) = 0;

    // The hot-key dialog.
    virtual void HotkeyFieldKeyDown(HotkeyField field, unsigned keyCode, unsigned shift) = 0;
    virtual void HotkeyFieldKeyUp(HotkeyField field, unsigned keyCode, unsigned shift) = 0;
    virtual void HotkeyDialogOkay() = 0;
    virtual void HotkeyDialogMouseMove(unsigned buttons, unsigned shift, int x, int y) = 0;
};

} // namespace tuckaway::ui
