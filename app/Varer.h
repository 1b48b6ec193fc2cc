#pragma once

// The hidden main window: it owns the tray icon and the hidden state fields,
// and its load handler is the program's start-up.

#include "app/Ui.h"
#include "os/Services.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tuckaway {

class Program;

inline constexpr std::uint32_t kTrayIconId = 1;
inline constexpr std::uint32_t kTrayFlags = 7;                // NIF_MESSAGE | NIF_ICON | NIF_TIP
inline constexpr std::uint32_t kTrayCallbackMessage = 0x0200; // WM_MOUSEMOVE
inline constexpr std::string_view kStartupTip = "Tuckaway: INACTIVE";

// Stores text in the tip field: the text, one NUL, blanks to the end. A text too
// long for the field is cut so that the NUL still fits.
void SetTrayTip(os::TrayIconRecord& record, std::string_view text);
std::string_view TrayTip(const os::TrayIconRecord& record);

class Varer {
public:
    explicit Varer(Program& program) : program_(program) {}

    // Start-up. False when another instance is already running: the process
    // must then end at once.
    bool Form_Load();

    void Timer1_Timer();
    // The tray callback: every tray event arrives as a mouse move.
    void Form_MouseMove(std::intptr_t lParam);
    void Form_Resize(bool minimized);
    void Form_Unload();

    void mPopAbout_Click();
    void mPopRestore_Click();
    void mPopResoRestore_Click();
    void mPopExit_Click();

    // Runs TransCheck_Click when the value changes.
    void SetTransCheck(int value);
    void TransCheck_Click();

    // The detection timer's interval: 5 ms as created, 150 ms from the first tick on.
    unsigned Timer1Interval = 5;

    std::string Text3; // desktop width
    std::string Text4; // desktop height
    std::string Text5; // game width
    std::string Text6; // game height
    int Check1 = 0;    // the display was switched to the desktop size for the hidden game
    int AutoDetectCheck = 0;
    int TransCheck = 0;
    bool mPopResoRestoreVisible = true;

    // Set by start-up, read when the main window unloads.
    bool HideKeyRegistered = false;
    bool ShowKeyRegistered = false;

    os::TrayIconRecord TrayIconData;

private:
    void LoadSettings();
    // Creates and loads the dialog if needed, then brings it to the front.
    void BringForward(Dialog dialog);
    void ShowPopupMenu();
    void PushTray();
    void SearchAllGames();
    // The display's mode differs from the recorded desktop's, and so does the game's, in both dimensions.
    bool DesktopModeNeedsRestoring(os::Size current) const;

    Program& program_;
    // Set once this process is known to be the only instance: a second one,
    // waiting in its refusal box, must not react to ticks or clicks.
    bool started_ = false;
};

} // namespace tuckaway
