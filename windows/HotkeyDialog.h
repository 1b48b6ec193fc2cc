#pragma once

// The hot-key dialog's window: four capture fields, "Okay!" and the
// instructions, with its labels drawn on the skin. Both hot keys are
// registered to this window.

#include "handles/Handles.h"
#include "ports/Ui.h"
#include "windows/SkinnedDialog.h"

#include <windows.h>

#include <array>
#include <string>
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

// The labels, drawn on the skin as windowless text in the dialog's font.
struct HotkeyLabel {
    const wchar_t* text;
    int x, y, width, height;
};
inline constexpr HotkeyLabel kHotkeyLabels[] = {
    {L"To Hide:", 283, 42, 41, 13},
    {L"+", 490, 42, 6, 13},
    // Up to the field: the caption needs more than the 56 pixels once drawn for it.
    {L"To Restore:", 283, 67, 60, 13},
    {L"+", 490, 66, 6, 13},
};

class HotkeyDialog final : public SkinnedDialog {
public:
    HotkeyDialog(HINSTANCE instance, ui::Events& events, PictureLoader load);
    ~HotkeyDialog() { Destroy(); }

    // Creates the window hidden. Its controls come once it is first shown or
    // a control is asked for, or at the first idle moment: the hot keys
    // registered to the window need none.
    void Create();
    void CreateControls();
    HWND Control(HotkeyDialogControl id);
    void Show();
    void ShowField(ui::HotkeyField field, std::string_view text);
    HFONT Font() const noexcept { return font_.get(); }

private:
    static LRESULT CALLBACK CaptureFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR fieldNumber, DWORD_PTR self);
    LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void PaintLabels(HWND window);
    HWND Find(HotkeyDialogControl id) const { return ::GetDlgItem(window_.get(), static_cast<int>(id)); }

    // What the capture fields show, kept for fields still to be made.
    std::array<std::wstring, 4> fieldTexts_;

    ui::Events& events_;
    UniqueFont font_;
    UniqueBrush panelBrush_;
};

} // namespace tuckaway::win32
