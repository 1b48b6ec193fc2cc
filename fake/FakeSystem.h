#pragma once

// A fake of every OS service and of the program's windows. It records each call
// in one ordered log and answers as the test tells it.

#include "ports/Os.h"
#include "ports/Ui.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tuckaway::fake {

struct BoxShown {
    std::string text;
    std::string caption;
    os::BoxStyle style;
};

struct HotkeyRegistration {
    os::Window window;
    int id;
    unsigned modifiers;
    unsigned virtualKey;
};

class FakeSystem final : public os::SettingsStore,
                         public os::WindowManager,
                         public os::HotkeyRegistrar,
                         public os::Display,
                         public os::MessageBoxes,
                         public os::Tray,
                         public os::Pictures,
                         public os::InstanceGuard,
                         public os::Keyboard,
                         public os::DebugOutput,
                         public os::Processes,
                         public os::AudioSessions,
                         public os::Gamma,
                         public os::Clock,
                         public os::CrashPlan,
                         public os::ProcessPriority,
                         public ui::Port {
public:
    static constexpr os::Window kMainWindow{0x100};
    static constexpr os::Window kMainDialogWindow{0x200};
    static constexpr os::Window kHotkeyDialogWindow{0x300};
    static constexpr std::uintptr_t kPreviousProc = 0xABC0;

    os::Services Services();

    // Every call, in order, as one line such as "Write currentgame= " or
    // "RegisterHotKey 0 2 90".
    std::vector<std::string> log;
    std::vector<std::string> LogStartingWith(std::string_view prefix) const;

    // SettingsStore: values by key; the application must be the program's. The
    // "program" section is `registry`, its "options" and "recovery" are `sections`;
    // their reads and writes are logged with the section, as "Write options/Key=value".
    std::map<std::string, std::string, std::less<>> registry;
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> sections;
    bool failReads = false;
    // The "games" section, in stored order; values that are not strings have no text.
    std::vector<os::StoredValue> games;

    // WindowManager: titles are looked up ignoring letter case, as the system
    // does, never finding a window of a folder class or for a blank title.
    // FindWindows logs one line for all its titles: "FindWindows a|b|c".
    std::map<std::string, os::Window, std::less<>> windowsByTitle;
    std::map<std::uintptr_t, std::string> windowClass;
    std::map<std::uintptr_t, bool> visible;
    // Minimised, as a game makes itself: it stays so while hidden; a restore ends it.
    std::map<std::uintptr_t, bool> minimized;
    std::map<std::uintptr_t, bool> maximized;
    os::Window foreground;
    // A hung window takes the show requests posted to it only once Answer() is called.
    std::map<std::uintptr_t, bool> hung;
    std::map<std::uintptr_t, std::vector<ShowCommand>> postedShows;
    void Answer(os::Window window);
    // Run, in order, by the next PumpPendingMessages: the messages "pending" then.
    std::deque<std::function<void()>> pending;

    // HotkeyRegistrar: combinations held by other programs, as (modifiers, key).
    std::vector<std::pair<unsigned, unsigned>> heldElsewhere;
    std::vector<HotkeyRegistration> registered;
    std::function<std::intptr_t(os::Window, unsigned, std::uintptr_t, std::intptr_t)> previousProc;
    // The procedure InstallHotkeyProc put in place: the test delivers messages through it.
    os::WindowProcedure* installedProc = nullptr;

    // Display: displaySize with these depth and rate is the mode in use.
    os::Size displaySize{1024, 768};
    std::uint32_t displayBits = 32;
    std::uint32_t displayFrequency = 60;
    bool currentModeFails = false;
    // What a CDS_TEST request answers; otherwise changeResult, or success.
    std::optional<std::int32_t> testResult;
    bool enumerationFails = false;
    os::DisplayMode enumeratedMode{0x5C0000, 640, 480, 32, 60};
    std::optional<std::int32_t> changeResult; // otherwise: success, and the display takes the size
    // The mode stored as the display's default, where the next logon starts.
    os::Size storedSize{1024, 768};
    std::vector<std::pair<os::DisplayMode, std::uint32_t>> modeChanges;
    int restarts = 0;

    // MessageBoxes
    std::vector<BoxShown> boxes;
    std::deque<os::BoxAnswer> answers; // default: Ok, or No for a Yes/No box
    std::function<void()> whileBoxOpen;

    // Tray: every call, and the icons the shell shows by window and id. While
    // trayRefuses is set the shell answers nothing (at logon before the taskbar).
    std::vector<std::pair<os::Tray::Action, os::TrayIconRecord>> trayCalls;
    std::map<std::pair<std::uintptr_t, std::uint32_t>, os::TrayIconRecord> trayIcons;
    bool trayRefuses = false;

    // InstanceGuard
    bool anotherInstanceRuns = false;

    // Keyboard: run while a combination is being typed (another program may act meanwhile).
    std::function<void()> whileTyping;

    // DebugOutput
    std::vector<std::string> debugLines;

    // Processes: the process of each window AddGameWindow made, which run,
    // and the windows whose process runs above the program's.
    std::map<std::uintptr_t, os::ProcessId> processOfWindow;
    std::vector<os::ProcessId> running;
    std::map<std::uintptr_t, bool> elevated;

    // AudioSessions: every session on every device; none can be seen while audioUnavailable.
    struct Session {
        std::string id;
        std::uint32_t process;
        bool muted;
    };
    std::vector<Session> sessions;
    bool audioUnavailable = false;
    bool SessionMuted(std::string_view id) const;

    // Gamma: nothing while the display offers no ramp.
    std::optional<os::GammaRamp> gammaRamp;

    // Clock: moved by the tests.
    std::uint64_t now = 0;

    // CrashPlan: what a crash handler would do now.
    os::Window crashShows;
    bool crashRestoresDesktopMode = false;

    // ProcessPriority: each process's class (normal unless set) and efficiency
    // mode; nothing for a process that cannot be opened, no efficiency mode
    // on a system that has none.
    std::map<std::uint32_t, unsigned> priorityOf;
    std::map<std::uint32_t, os::Throttling> throttlingOf;
    std::map<std::uint32_t, bool> unopenable;
    bool efficiencyMode = true;
    unsigned PriorityOf(os::Window window);

    // Tray warnings, as "title: text".
    std::vector<std::string> warnings;

    // The watch on the game's window: how long until the windows raise
    // GameWindowWatched (the test raises it); nothing when no watch is asked.
    std::optional<unsigned> watchAsked;

    // Ui
    bool mainWindowExists = true;
    bool quit = false;
    unsigned timerInterval = 5;
    // The item the user picks when the tray menu opens (nothing: dismissed), and
    // whether each opening offered "&Restore Resolution...".
    std::optional<ui::MenuItem> menuChoice;
    std::vector<bool> menusShown;
    std::vector<bool> transparencyCalls;
    std::map<ui::Dialog, bool> dialogExists;
    // A dialog whose window the system refuses to create.
    std::optional<ui::Dialog> dialogCreationFails;
    std::map<ui::Dialog, bool> dialogVisible;
    bool mainWindowHidden = false;
    std::string helpText;
    std::vector<std::string> shownGameList;
    std::optional<int> shownSelection;
    bool shownLocked = false;
    int shownCheck = 0;
    std::map<ui::HotkeyField, std::string> shownFields;
    // The windows owe an Idle event: the test raises it.
    bool idleAsked = false;

    // os::SettingsStore
    std::optional<std::string> Read(std::string_view application, std::string_view section,
                                    std::string_view key) override;
    void Write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override;
    std::vector<os::StoredValue> Enumerate(std::string_view application, std::string_view section) override;
    // os::WindowManager
    os::Window FindWindowByTitle(std::string_view title) override;
    std::vector<os::Window> FindWindows(std::span<const std::string_view> titles) override;
    void ShowWindow(os::Window window, ShowCommand command) override;
    void SetForegroundWindow(os::Window window) override;
    WindowState StateOf(os::Window window) override;
    bool IsMaximized(os::Window window) override;
    bool IsHung(os::Window window) override;
    os::Window Foreground() override;
    bool WaitUntilShown(os::Window window, unsigned milliseconds) override;
    void PumpPendingMessages() override;
    // os::HotkeyRegistrar
    bool RegisterHotKey(os::Window window, int id, unsigned modifiers, unsigned virtualKey) override;
    void UnregisterHotKey(os::Window window, int id) override;
    std::uintptr_t InstallHotkeyProc(os::Window window, os::WindowProcedure& procedure) override;
    std::intptr_t CallPreviousProc(std::uintptr_t procedure, os::Window window, unsigned message,
                                   std::uintptr_t wParam, std::intptr_t lParam) override;
    // os::Display
    bool EnumerateMode(std::uint32_t modeNumber, os::DisplayMode& mode) override;
    std::int32_t ChangeMode(const os::DisplayMode& mode, std::uint32_t flags) override;
    bool CurrentMode(os::DisplayMode& mode) override;
    bool StoredMode(os::DisplayMode& mode) override;
    os::Size CurrentSize() override;
    void RequestRestart() override;
    // os::MessageBoxes
    os::BoxAnswer Show(std::string_view text, std::string_view caption, os::BoxStyle style) override;
    // os::Tray
    bool Notify(Action action, const os::TrayIconRecord& record) override;
    bool Warn(const os::TrayIconRecord& record, std::string_view title, std::string_view text) override;
    // os::Pictures: icon handle 0x1000 + picture number
    os::Icon Logo(int pictureNumber) override;
    // os::InstanceGuard
    bool ClaimFirstInstance() override;
    // os::Keyboard
    void TypeCombination(unsigned modifiers, unsigned virtualKey) override;
    // os::DebugOutput
    void Log(std::string_view line) override;
    // os::Processes
    os::ProcessId OwnerOf(os::Window window) override;
    bool Runs(os::ProcessId process) override;
    bool Outranks(os::Window window) override;
    // os::Clock
    std::uint64_t Milliseconds() override;
    // os::CrashPlan
    void Update(os::Window hiddenGame, bool desktopMode) override;
    // os::ProcessPriority
    std::optional<unsigned> PriorityClass(os::ProcessId process) override;
    bool SetPriorityClass(os::ProcessId process, unsigned priorityClass) override;
    std::optional<os::Throttling> ThrottlingOf(os::ProcessId process) override;
    bool SetThrottling(os::ProcessId process, os::Throttling throttling) override;
    // os::AudioSessions
    std::vector<std::string> UnmutedSessions(std::uint32_t processId) override;
    void SetMuted(const std::vector<std::string>& ids, bool muted) override;
    // os::Gamma
    std::optional<os::GammaRamp> Read() override;
    bool Write(const os::GammaRamp& ramp) override;
    // ui::Port
    os::Window MainWindow() override;
    void HideMainWindow() override;
    void DestroyMainWindow() override;
    void Quit() override;
    void SetTimerInterval(unsigned milliseconds) override;
    void WatchGameWindow(unsigned milliseconds) override;
    std::optional<ui::MenuItem> TrackTrayMenu(bool showRestoreResolution) override;
    void RestoreDialog(ui::Dialog dialog) override;
    void DestroyDialog(ui::Dialog dialog) override;
    void SetControlTransparent(bool transparent) override;
    bool DialogExists(ui::Dialog dialog) override;
    void CreateDialogWindow(ui::Dialog dialog) override;
    os::Window DialogWindow(ui::Dialog dialog) override;
    void ShowDialog(ui::Dialog dialog) override;
    void HideDialog(ui::Dialog dialog) override;
    void ShapeDialog(ui::Dialog dialog) override;
    void DragDialog(ui::Dialog dialog) override;
    void AskForIdle() override;
    void ShowHelpText(std::string_view text) override;
    void ShowGameList(std::span<const std::string_view> entries) override;
    void ShowGameSelection(int entryIndex) override;
    void ShowGameListLocked(bool locked) override;
    void ShowScreenResCheck(int value) override;
    void ShowHotkeyField(ui::HotkeyField field, std::string_view text) override;

    // The lookup of one title, as FindWindowByTitle and FindWindows log it.
    os::Window Find(std::string_view title);
    // A game window that FindWindowByTitle finds, visible, of a running process of its own.
    os::Window AddGameWindow(std::string_view title, std::string_view className = "game");
    // A session of the game that owns `window`.
    void AddSession(os::Window window, std::string id, bool muted = false);
    // A gamma ramp whose every entry is `level`.
    static os::GammaRamp Ramp(std::uint16_t level);
    // What a game's own ShowWindow(SW_MINIMIZE) does: shown again, minimised.
    void MinimizeGameWindow(os::Window window);

private:
    std::uintptr_t windowsMade_ = 0;
};

} // namespace tuckaway::fake
