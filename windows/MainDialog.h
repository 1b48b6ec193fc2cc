#pragma once

// The main settings dialog's window: help text, game list, the resolution
// check box and "Okay!", drawn on its skin.

#include "handles/Handles.h"
#include "ports/Ui.h"
#include "windows/SkinnedDialog.h"

#include <windows.h>

#include <commctrl.h>

#include <span>
#include <string_view>

namespace tuckaway::win32 {

// Control ids; the Okay button doubles as the dialog's default and cancel
// command so that Enter and Esc press it.
enum class MainDialogControl : int {
    cmdOK = IDOK,
    Combo1 = 1001,
    ScreenResCheck = 1002,
    Text2 = 1003,
};

class MainDialog final : public SkinnedDialog {
public:
    MainDialog(HINSTANCE instance, ui::Events& events, PictureLoader load);
    ~MainDialog() { Destroy(); }

    // Creates the window hidden, with its controls.
    void Create();
    HWND Control(MainDialogControl id) const { return ::GetDlgItem(window_.get(), static_cast<int>(id)); }

    void ShowHelpText(std::string_view text);
    void ShowGameList(std::span<const std::string_view> entries);
    void ShowGameSelection(int entryIndex);
    void ShowGameListLocked(bool locked);
    void ShowScreenResCheck(int value);
    // Cuts the check box to the pixels it draws, or gives it back its rectangle.
    void SetControlTransparent(bool transparent);

private:
    LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ControlColour(HWND window, HDC dc, HWND control);
    // Draws the check box's glyph and caption in pixels, as the skin is drawn.
    LRESULT DrawCheckBox(const NMCUSTOMDRAW& draw);

    ui::Events& events_;
    UniqueFont font_;
    // The check box's caption is drawn without smoothing, so the cut leaves no fringe.
    UniqueFont checkFont_;
    // The game list's, if its entries need a smaller one than the dialog's.
    UniqueFont listFont_;
    UniqueBrush panelBrush_;
    UniqueBrush skinBrush_;
    // Set once the check box has been cut to its drawn pixels.
    bool checkBoxShowsSkin_ = false;
};

} // namespace tuckaway::win32
