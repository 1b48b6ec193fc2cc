#pragma once

// The hidden main window: it owns the tray icon and the hidden state fields,
// and its load handler is the program's start-up.

#include "os/Services.h"

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

    Program& program_;
};

} // namespace tuckaway
