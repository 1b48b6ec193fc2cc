#pragma once

// The program's real windows behind the user-interface port: the hidden main
// window and the two dialogs, and the message loop that serves them.

#include "ports/Ui.h"
#include "shaping/Picture.h"
#include "windows/HotkeyDialog.h"
#include "windows/MainDialog.h"
#include "windows/MainWindow.h"

#include <windows.h>

namespace tuckaway::win32 {

class WindowsUi final : public ui::Port {
public:
    // The windows report to `events`, which must outlive them; the skins are decoded by `load`.
    WindowsUi(HINSTANCE instance, ui::Events& events, PictureLoader load = &shaping::LoadPictureResource);
    WindowsUi(const WindowsUi&) = delete;
    WindowsUi& operator=(const WindowsUi&) = delete;

    // The main window, created first, with its timer running.
    void CreateMainWindow();
    // Dispatches messages until the program quits; when none is waiting it
    // raises the Idle event asked for.
    int RunMessageLoop();

    // What keeps the windows from working: a class that could not be
    // registered or a window that could not be created, or a skin that could
    // not be decoded. Asked before start-up and again after it; a window
    // destroyed since it was made is no fault.
    enum class Fault { None, Windows, Pictures };
    Fault StartupFault() const;

    MainDialog& mainDialog() { return mainDialog_; }
    HotkeyDialog& hotkeyDialog() { return hotkeyDialog_; }

    os::Window MainWindow() override;
    void HideMainWindow() override { main_.Hide(); }
    void DestroyMainWindow() override { main_.Destroy(); }
    void Quit() override { ::PostQuitMessage(0); }
    void SetTimerInterval(unsigned milliseconds) override { main_.SetTimerInterval(milliseconds); }
    void WatchGameWindow(unsigned milliseconds) override { main_.Watch(milliseconds); }
    std::optional<ui::MenuItem> TrackTrayMenu(bool showRestoreResolution) override {
        return main_.TrackTrayMenu(showRestoreResolution);
    }

    bool DialogExists(ui::Dialog dialog) override { return Of(dialog).Exists(); }
    void CreateDialogWindow(ui::Dialog dialog) override;
    os::Window DialogWindow(ui::Dialog dialog) override;
    void ShowDialog(ui::Dialog dialog) override {
        if (dialog == ui::Dialog::Hotkey) {
            hotkeyDialog_.Show();
        } else {
            Of(dialog).Show();
        }
    }
    void HideDialog(ui::Dialog dialog) override { Of(dialog).Hide(); }
    void RestoreDialog(ui::Dialog dialog) override { Of(dialog).Restore(); }
    void DestroyDialog(ui::Dialog dialog) override { Of(dialog).Destroy(); }
    void ShapeDialog(ui::Dialog dialog) override { Of(dialog).Shape(); }
    void DragDialog(ui::Dialog dialog) override { Of(dialog).Drag(); }
    void AskForIdle() override { idleAsked_ = true; }

    void ShowHelpText(std::string_view text) override { mainDialog_.ShowHelpText(text); }
    void ShowGameList(std::span<const std::string_view> entries) override {
        mainDialog_.ShowGameList(entries);
    }
    void ShowGameSelection(int entryIndex) override { mainDialog_.ShowGameSelection(entryIndex); }
    void ShowGameListLocked(bool locked) override { mainDialog_.ShowGameListLocked(locked); }
    void ShowScreenResCheck(int value) override { mainDialog_.ShowScreenResCheck(value); }
    void ShowHotkeyField(ui::HotkeyField field, std::string_view text) override {
        hotkeyDialog_.ShowField(field, text);
    }
    void SetControlTransparent(bool transparent) override { mainDialog_.SetControlTransparent(transparent); }

private:
    SkinnedDialog& Of(ui::Dialog dialog);

    ui::Events& events_;
    bool idleAsked_ = false;

    // Destroyed in reverse: the dialogs first, the main window last.
    class MainWindow main_;
    MainDialog mainDialog_;
    HotkeyDialog hotkeyDialog_;
    // Set once a window could not be created.
    bool createFailed_ = false;
};

} // namespace tuckaway::win32
