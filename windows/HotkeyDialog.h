#pragma once

// The hot-key dialog's window: four capture fields, "Okay!" and the
// instructions, with its labels drawn on the skin. Both hot keys are
// registered to this window.

#include "handles/Handles.h"
#include "ports/Ui.h"
#include "windows/SkinnedDialog.h"

#include <windows.h>

#include <string_view>

namespace tuckaway::win32 {

enum class HotkeyDialogControl : int {
    Text1 = 2001,
    Text2 = 2002,
    Text3 = 2003,
    Text4 = 2004,
    Command2 = 2005,
    Text5 = 2006,
};

class HotkeyDialog final : public SkinnedDialog {
public:
    HotkeyDialog(HINSTANCE instance, ui::Events& events, PictureLoader load);
    ~HotkeyDialog() { Destroy(); }

    // Creates the window hidden, with its controls.
    void Create();
    HWND Control(HotkeyDialogControl id) const { return ::GetDlgItem(window_.get(), static_cast<int>(id)); }
    void ShowField(ui::HotkeyField field, std::string_view text);

private:
    static LRESULT CALLBACK CaptureFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR fieldNumber, DWORD_PTR self);
    LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void PaintLabels(HWND window);

    ui::Events& events_;
    UniqueFont font_;
    UniqueBrush panelBrush_;
};

} // namespace tuckaway::win32
