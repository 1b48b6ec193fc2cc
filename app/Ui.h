#pragma once

// The program's own windows as the logic sees them. The Win32 layer builds the
// real windows and controls; the tests use a fake. The logic keeps every state
// field itself and mirrors the visible ones here; a mirror update never runs a
// handler, so the logic alone decides which handlers a change runs.

#include "os/Services.h"

#include <optional>
#include <string_view>

namespace tuckaway {

enum class Dialog { Main, Hotkey };

// The items of the tray menu, in the order it shows them.
enum class MenuItem { mPopAbout, mPopRestore, mPopResoRestore, mPopExit };

// The four capture fields of the hot-key dialog.
enum class HotkeyField { Text1 = 1, Text2 = 2, Text3 = 3, Text4 = 4 };

class Ui {
public:
    virtual ~Ui() = default;

    virtual os::Window MainWindow() = 0;
    virtual void HideMainWindow() = 0;
    // Destroys the main window; its timer stops with it.
    virtual void DestroyMainWindow() = 0;
    // Ends the message loop once the current handler returns.
    virtual void Quit() = 0;
    // The detection timer of the main window; it runs from the window's creation.
    virtual void SetTimerInterval(unsigned milliseconds) = 0;
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

    virtual void ShowHelpText(std::string_view text) = 0;
    virtual void ShowGameSelection(int entryIndex) = 0;
    virtual void ShowGameListLocked(bool locked) = 0;
    virtual void ShowScreenResCheck(int value) = 0;
    virtual void ShowHotkeyField(HotkeyField field, std::string_view text) = 0;
    // Cuts every pixel that shows the button-face colour out of the main
    // dialog's check box, or gives it back its whole rectangle.
    virtual void SetControlTransparent(bool transparent) = 0;
};

} // namespace tuckaway
