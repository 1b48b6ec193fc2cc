#pragma once

// Everything the program holds while it runs: the ports it calls and the state
// fields of its three windows. The handlers in hotkeys/, dialogs/ and app/ all
// act on this one aggregate; it holds no handler itself.

#include "ports/Os.h"
#include "ports/Ui.h"
#include "state/Catalogue.h"
#include "state/Hide.h"
#include "state/Settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tuckaway {

// The caption of every message box that names no caption of its own.
inline constexpr std::string_view kAppTitle = "Tuckaway v1.0";

// What the shell holds of the tray icon, as far as the program knows, so that
// a tick tells the shell only what changed.
struct TrayIconShell {
    // From start-up until unload the icon belongs in the tray.
    bool wanted = false;
    // The shell accepted the icon's add since its taskbar was made.
    bool added = false;
    // What the shell last accepted; nothing after a failed push, so the next tick repeats it.
    std::optional<os::TrayIconRecord> accepted;
};

// The hidden main window: it owns the tray icon and the hidden state fields.
struct VarerFields {
    std::string Text3; // desktop width
    std::string Text4; // desktop height
    std::string Text5; // game width
    std::string Text6; // game height
    // The depth and refresh rate of the desktop's and the game's recorded
    // modes, beside their sizes; 0 where not known.
    std::uint32_t desktopBits = 0;
    std::uint32_t desktopFrequency = 0;
    std::uint32_t gameBits = 0;
    std::uint32_t gameFrequency = 0;
    int Check1 = 0; // the display was switched to the desktop size for the hidden game
    int AutoDetectCheck = 0;
    int TransCheck = 0;
    bool mPopResoRestoreVisible = true;

    // Set by start-up, read when the main window unloads.
    bool HideKeyRegistered = false;
    bool ShowKeyRegistered = false;

    os::TrayIconRecord TrayIconData;
    TrayIconShell trayShell;
    // The detection timer's interval: 5 ms as created, 150 ms from the first tick on.
    unsigned Timer1Interval = 5;

    // Set once start-up has finished: ticks and tray clicks act only on the
    // whole program (and never in a second instance, waiting in its refusal box).
    bool started = false;
};

// The main settings dialog.
struct FrmAboutFields {
    explicit FrmAboutFields(const catalogue::Catalogue& games) : catalogue(games) {}

    std::string Text1;         // window title of the current game; " " for automatic detection
    std::string Text2;         // help text
    std::optional<int> Combo1; // the selected entry of the game list
    bool Combo1Locked = false;
    int ScreenResCheck = 0;

    // The selected entry's text, or the empty string when nothing is selected.
    std::string_view SelectedText() const;

private:
    // Holds the game list's entries.
    const catalogue::Catalogue& catalogue;
};

// The hot-key dialog.
struct Form1Fields {
    const std::string& Text(ui::HotkeyField field) const {
        return texts[static_cast<std::size_t>(field) - 1];
    }
    std::string& Text(ui::HotkeyField field) { return texts[static_cast<std::size_t>(field) - 1]; }

    // The dialog's own pair, set when its Okay button registers the hot keys.
    bool HideKeyRegistered = false;
    bool ShowKeyRegistered = false;

private:
    std::array<std::string, 4> texts;
};

class Program {
public:
    Program(const os::Services& services, ui::Port& ui_)
        : os(services), ui(ui_), settings(services.settings) {}
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    os::Services os;
    ui::Port& ui;
    settings::Store settings;
    // The nine games, then the user's own once start-up has read them.
    catalogue::Catalogue catalogue;

    VarerFields varer;
    FrmAboutFields frmAbout{catalogue};
    Form1Fields form1;

    // The hot-key dialog window's procedure before HotkeyProc replaced it.
    std::uintptr_t PrevWndProc = 0;

    // The game's hide: everything it changed outside the program and must give
    // back (state/Hide.h), and its record's text as the settings hold it.
    hide::Hide hide;
    std::string hideRecorded;

    // The current game window's process, looked at once per window.
    struct GameProcess {
        os::Window window;
        os::ProcessId process;
        bool outranks = false;
    };
    GameProcess gameProcess;
    // The game run as administrator the user was last told of.
    os::ProcessId toldOutranks;

    // Which hot keys (hide, restore) the program holds now.
    std::array<bool, 2> hotkeyHeld{};
    // While a window that runs above this program has the foreground and no
    // game runs, the hot keys are let go so that their keys reach it, and
    // taken back afterwards.
    os::Window foreground;
    bool foregroundOutranks = false;
    bool hotkeysYielded = false;
    std::array<bool, 2> yieldedHotkeys{};

    // Set when the program begins to end: nothing queued or pumped acts on a
    // game window any more.
    bool closing = false;

    // The switches of the "options" section.
    bool muteWhenHidden = true;
    bool yieldWhenHidden = true;
    bool freezeWhenHidden = false;

    // The display's gamma ramp as last read while no game ran, and the ticks
    // since: a hide starts from it.
    std::optional<os::GammaRamp> desktopRamp;
    unsigned desktopRampAge = 0;
};

} // namespace tuckaway
