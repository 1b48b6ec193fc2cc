#pragma once

// The program's real windows: the hidden main window, the main settings dialog
// and the hot-key dialog, with their controls.

#include "app/Ui.h"
#include "os/win32/Handles.h"
#include "shaping/Region.h"

#include <windows.h>

namespace tuckaway {
class Program;
}

namespace tuckaway::win32 {

// Control ids of the main settings dialog; the Okay button doubles as the
// dialog's default and cancel command so that Enter and Esc press it.
enum class MainDialogControl : int {
    cmdOK = IDOK,
    Combo1 = 1001,
    ScreenResCheck = 1002,
    Text2 = 1003,
};

// RCDATA resources holding the skins.
inline constexpr int kHotkeySkinResource = 201;
inline constexpr int kMainSkinResource = 202;

enum class HotkeyDialogControl : int {
    Text1 = 2001,
    Text2 = 2002,
    Text3 = 2003,
    Text4 = 2004,
    Command2 = 2005,
    Text5 = 2006,
};

class WindowsUi final : public Ui {
public:
    explicit WindowsUi(HINSTANCE instance);
    ~WindowsUi() override;
    WindowsUi(const WindowsUi&) = delete;
    WindowsUi& operator=(const WindowsUi&) = delete;

    // Events of the windows go to this program from now on.
    void Attach(Program& program) { program_ = &program; }
    void CreateMainWindow();
    int RunMessageLoop();

    os::Window MainWindow() override;
    void HideMainWindow() override;
    bool DialogExists(Dialog dialog) override;
    void CreateDialogWindow(Dialog dialog) override;
    os::Window DialogWindow(Dialog dialog) override;
    void ShowDialog(Dialog dialog) override;
    void HideDialog(Dialog dialog) override;
    void ShapeDialog(Dialog dialog) override;
    void DragDialog(Dialog dialog) override;
    void RestoreDialog(Dialog dialog) override;
    void DestroyDialog(Dialog dialog) override;
    void DestroyMainWindow() override;
    void Quit() override;
    void SetTimerInterval(unsigned milliseconds) override;
    std::optional<MenuItem> TrackTrayMenu(bool showRestoreResolution) override;
    void SetControlTransparent(bool transparent) override;
    void ShowHelpText(std::string_view text) override;
    void ShowGameSelection(int entryIndex) override;
    void ShowGameListLocked(bool locked) override;
    void ShowScreenResCheck(int value) override;
    void ShowHotkeyField(HotkeyField field, std::string_view text) override;

private:
    static LRESULT CALLBACK CaptureFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR fieldNumber, DWORD_PTR self);
    LRESULT MainWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT MainDialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HotkeyDialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                     int width, int height, int id, DWORD exStyle = 0);
    void BuildMainDialog(HWND dialog);
    void BuildHotkeyDialog(HWND dialog);
    HWND& DialogHandle(Dialog dialog);

    HINSTANCE instance_;
    Program* program_ = nullptr;
    HWND mainWindow_ = nullptr;
    HWND mainDialog_ = nullptr;
    HWND hotkeyDialog_ = nullptr;
    UniqueFont font_;
    UniqueFont checkFont_;
    UniqueBrush greyBrush_;
    UniqueBitmap mainSkin_;
    UniqueBitmap hotkeySkin_;
    UniqueBrush skinBrush_;
    // Set once the check box has been cut to its drawn pixels.
    bool checkBoxShowsSkin_ = false;
    // Each dialog's outline, kept for the dialog's life.
    shaping::Region mainRegion_;
    shaping::Region hotkeyRegion_;
};

} // namespace tuckaway::win32
