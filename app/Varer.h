#pragma once

// The hidden main window's handlers: start-up, the detection timer, the tray
// icon and its menu, exit, and the check-box cut.

#include "dialogs/Form1.h"
#include "dialogs/FrmAbout.h"
#include "hotkeys/Hotkeys.h"
#include "state/Program.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>

namespace tuckaway {

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
    Varer(Program& program, FrmAbout& frmAbout, Form1& form1)
        : program_(program), frmAbout_(frmAbout), form1_(form1), hotkeyProc_(program) {}

    // Start-up, as far as the first hot key needs it: the hot-key dialog's
    // window, the settings, the hot keys and their procedure. It then asks for
    // an idle moment, and FinishStartup does the rest. False when the process
    // must end at once: another instance is already running (said here), or
    // the hot-key dialog's window could not be made (said by whatever made the
    // windows), before anything else is touched.
    bool Form_Load();
    // One step of the rest of start-up (the main dialog, the tray icon, the
    // hot keys that failed), each time the windows are idle.
    void FinishStartup();

    void Timer1_Timer();
    // The tray callback: every tray event arrives as a mouse move.
    void Form_MouseMove(std::intptr_t lParam);
    void Form_Resize(bool minimized);
    // A new taskbar: the icon is added again, as it is now.
    void Form_TaskbarCreated();
    // Another program's window in front: the hot keys are let go at once if
    // it runs above the program, before a press could reach them.
    void Form_ForegroundChanged();
    // The session is about to end: nothing the program changed may outlive it.
    // A hidden game is shown again and, if the program stored a game's mode as
    // the display's default, the desktop's mode is stored back. Run again
    // when the session does end; a session that goes on loses nothing.
    void Form_QueryUnload();
    void Form_Unload();
    // The session ends: as above, then the program ends as at "&Exit", a game
    // found by automatic detection turned back into the automatic choice.
    void EndSession();

    void mPopAbout_Click();
    void mPopRestore_Click();
    void mPopResoRestore_Click();
    void mPopExit_Click();

    // Runs TransCheck_Click when the value changes.
    void SetTransCheck(int value);
    void TransCheck_Click();

private:
    // Adds the games the user stored to the catalogue and logs the entries left out.
    void LoadGames();
    void LoadSettings();
    // Creates and loads the dialog if needed, then brings it to the front.
    void BringForward(ui::Dialog dialog);
    void ShowPopupMenu();
    // Gives the shell TrayIconData, unless it holds that already: adds the
    // icon if the shell has not accepted it yet, otherwise modifies it.
    void PushTray();
    // True when it found a game.
    bool SearchAllGames();
    // The hot keys are let go while a window that runs above the program has
    // the foreground and no game runs, and taken back once it has not.
    void WatchForeground(bool gameRuns);
    // The next start begins by searching again.
    void ForgetDetectedGame();
    // Removes the icon and the hot keys, closes the windows, ends the loop.
    void Close();
    // The display's mode differs from the recorded desktop's, and so does the game's, in both dimensions.
    bool DesktopModeNeedsRestoring(os::Size current) const;

    Program& program_;
    FrmAbout& frmAbout_;
    Form1& form1_;
    // Lives as long as the hot-key dialog's window, whose procedure it is.
    hotkeys::HotkeyProcedure hotkeyProc_;
    // What start-up left for FinishStartup, in order.
    std::deque<std::function<void()>> startupSteps_;
};

} // namespace tuckaway
