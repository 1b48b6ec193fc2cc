#pragma once

// The seam between the program's logic and the operating system. Nothing here
// includes <windows.h>, so the logic and its tests build and run on any host;
// the Win32 layer implements these interfaces with the real calls and the test
// tree fakes them. Texts cross the seam as UTF-8.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tuckaway::os {

// An opaque window handle; 0 is "no window".
struct Window {
    std::uintptr_t value = 0;
    explicit operator bool() const noexcept { return value != 0; }
    friend bool operator==(Window, Window) = default;
};

// An opaque icon handle owned by the platform layer for the program's lifetime.
struct Icon {
    std::uintptr_t value = 0;
    friend bool operator==(Icon, Icon) = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(Size, Size) = default;
};

// One value of a settings section, as an enumeration finds it.
struct StoredValue {
    std::string name;
    // Nothing when the value is not a string.
    std::optional<std::string> text;
    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// Per-user persistent strings, addressed as application / section / key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Missing values and failed reads give nothing.
    virtual std::optional<std::string> Read(std::string_view application, std::string_view section,
                                            std::string_view key) = 0;
    virtual void Write(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view value) = 0;
    // Every value of a section, in the store's own order; a missing section has none.
    virtual std::vector<StoredValue> Enumerate(std::string_view application, std::string_view section) = 0;
};

// Other programs' top-level windows and this thread's message queue. Nothing
// here waits for another program's thread: a game that stops answering never
// stops this program.
class WindowManager {
public:
    virtual ~WindowManager() = default;
    // The first top-level window whose whole title matches, ignoring case as
    // the system does. A game's window is never a folder window of the shell
    // nor one of this program's own, and no title of a single blank is a game's.
    virtual Window FindWindowByTitle(std::string_view title) = 0;
    // One pass over the top-level windows for many titles: for each title, the
    // window FindWindowByTitle would give.
    virtual std::vector<Window> FindWindows(std::span<const std::string_view> titles) = 0;
    // nCmdShow values of ShowWindow.
    enum class ShowCommand : int { Hide = 0, ShowMaximized = 3, Show = 5, Restore = 9 };
    // Posts the request to the window's thread and returns: a hung window
    // takes it when it answers again.
    virtual void ShowWindow(Window window, ShowCommand command) = 0;
    virtual void SetForegroundWindow(Window window) = 0;
    // Hidden; shown minimised (on the taskbar); or shown. A hidden window may
    // still be minimised underneath: it counts as hidden.
    enum class WindowState { Hidden, Minimized, Shown };
    virtual WindowState StateOf(Window window) = 0;
    // Maximised, shown or hidden.
    virtual bool IsMaximized(Window window) = 0;
    // Its thread has not taken its messages for a while.
    virtual bool IsHung(Window window) = 0;
    virtual Window Foreground() = 0;
    // Waits, without dispatching anything but messages sent to this thread,
    // until the window is no longer hidden or the time is up; true once shown.
    virtual bool WaitUntilShown(Window window, unsigned milliseconds) = 0;
    // Dispatches every message already waiting in the thread's queue (hot
    // keys, ticks, paints, other programs' messages; input waits for the main
    // loop). Handlers may run nested inside this call.
    virtual void PumpPendingMessages() = 0;
};

// A window procedure of the program's own, put in place of a window's procedure.
class WindowProcedure {
public:
    virtual ~WindowProcedure() = default;
    virtual std::intptr_t operator()(Window window, unsigned message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
};

// Global hot keys, registered against one window.
class HotkeyRegistrar {
public:
    virtual ~HotkeyRegistrar() = default;
    virtual bool RegisterHotKey(Window window, int id, unsigned modifiers, unsigned virtualKey) = 0;
    virtual void UnregisterHotKey(Window window, int id) = 0;
    // Makes `procedure` the window's procedure and returns the previous one as
    // an opaque value. The procedure must outlive the window.
    virtual std::uintptr_t InstallHotkeyProc(Window window, WindowProcedure& procedure) = 0;
    // Hands a message on to a window procedure obtained from InstallHotkeyProc.
    virtual std::intptr_t CallPreviousProc(std::uintptr_t procedure, Window window, unsigned message,
                                           std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

// The members of a display-mode record that the program touches; the platform
// layer keeps the rest of the record as the enumeration left it.
struct DisplayMode {
    std::uint32_t fields = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t frequency = 0;
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

inline constexpr std::uint32_t kDisplayFieldBitsPerPixel = 0x00040000; // DM_BITSPERPEL
inline constexpr std::uint32_t kDisplayFieldWidth = 0x00080000;        // DM_PELSWIDTH
inline constexpr std::uint32_t kDisplayFieldHeight = 0x00100000;       // DM_PELSHEIGHT
inline constexpr std::uint32_t kDisplayFieldFrequency = 0x00400000;    // DM_DISPLAYFREQUENCY
inline constexpr std::uint32_t kChangeUpdateRegistry = 1;              // CDS_UPDATEREGISTRY
inline constexpr std::uint32_t kChangeTest = 2;                        // CDS_TEST
inline constexpr std::uint32_t kChangeFullscreen = 4;                  // CDS_FULLSCREEN
inline constexpr std::uint32_t kChangeNoReset = 0x10000000;            // CDS_NORESET
inline constexpr std::int32_t kDisplayChangeSuccessful = 0;            // DISP_CHANGE_SUCCESSFUL
inline constexpr std::int32_t kDisplayChangeRestart = 1;               // DISP_CHANGE_RESTART

class Display {
public:
    virtual ~Display() = default;
    // EnumDisplaySettings on the current display device; false when it fails.
    virtual bool EnumerateMode(std::uint32_t modeNumber, DisplayMode& mode) = 0;
    // The mode in use, depth and refresh rate included; false when it cannot be read.
    virtual bool CurrentMode(DisplayMode& mode) = 0;
    // The mode stored as the display's default, where a logon starts and
    // where ChangeDisplaySettings(NULL, 0) returns to.
    virtual bool StoredMode(DisplayMode& mode) = 0;
    // ChangeDisplaySettings; returns the DISP_CHANGE_ code.
    virtual std::int32_t ChangeMode(const DisplayMode& mode, std::uint32_t flags) = 0;
    // The primary display's size in physical pixels.
    virtual Size CurrentSize() = 0;
    // Asks the system to restart the computer.
    virtual void RequestRestart() = 0;
};

// MessageBox styles and answers, with the values the system uses.
enum class BoxStyle : unsigned {
    Ok = 0x00,
    OkError = 0x10,
    OkExclamation = 0x30,
    YesNoInformation = 0x44,
};
enum class BoxAnswer : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal: other messages of the thread are dispatched while it is open.
    virtual BoxAnswer Show(std::string_view text, std::string_view caption, BoxStyle style) = 0;
};

// The notification-area icon record as the logic keeps it: the tip is UTF-8
// in a field of 64 characters.
struct TrayIconRecord {
    Window window;
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint32_t callbackMessage = 0;
    Icon icon;
    char tip[64] = {};
    friend bool operator==(const TrayIconRecord&, const TrayIconRecord&) = default;
};

// The shell's notification area. An icon is known by its window and id; the
// shell refuses to add one it holds, and to modify or delete one it does not.
class Tray {
public:
    virtual ~Tray() = default;
    enum class Action : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };
    // True when the shell accepted it.
    virtual bool Notify(Action action, const TrayIconRecord& record) = 0;
    // A warning balloon from the icon, with a title and a text.
    virtual bool Warn(const TrayIconRecord& record, std::string_view title, std::string_view text) = 0;
};

// The program's own pictures: the logo icons Picture1 to Picture20.
class Pictures {
public:
    virtual ~Pictures() = default;
    virtual Icon Logo(int pictureNumber) = 0;
};

// Knows whether another instance of the program is already running in this session.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // True for the first instance; it keeps the claim until the process ends.
    virtual bool ClaimFirstInstance() = 0;
};

// Keys typed on the user's behalf.
class Keyboard {
public:
    virtual ~Keyboard() = default;
    // Types one press of `virtualKey` into the window that has the keyboard
    // focus, with exactly the RegisterHotKey `modifiers` held whatever modifier
    // keys the user holds meanwhile, and leaves those as the user holds them.
    // Returns once the system has taken the press past its hot-key check, or
    // after a short time limit if the system does not show that it has.
    virtual void TypeCombination(unsigned modifiers, unsigned virtualKey) = 0;
};

// The program's debug output (what a debugger or DebugView shows).
class DebugOutput {
public:
    virtual ~DebugOutput() = default;
    virtual void Log(std::string_view line) = 0;
};

// The primary display's gamma ramp: 256 entries of red, then green, then blue.
using GammaRamp = std::array<std::uint16_t, 3 * 256>;

class Gamma {
public:
    virtual ~Gamma() = default;
    // Nothing where the display does not let its ramp be read.
    virtual std::optional<GammaRamp> Read() = 0;
    // False where the display refuses the ramp.
    virtual bool Write(const GammaRamp& ramp) = 0;
};

// A process, known by its number and its start, so that a later process given
// the same number is never taken for it.
struct ProcessId {
    std::uint32_t id = 0;
    std::uint64_t started = 0;
    explicit operator bool() const noexcept { return id != 0; }
    friend bool operator==(ProcessId, ProcessId) = default;
};

class Processes {
public:
    virtual ~Processes() = default;
    // The process a window belongs to; nothing when the window is gone.
    virtual ProcessId OwnerOf(Window window) = 0;
    // That very process still runs.
    virtual bool Runs(ProcessId process) = 0;
    // The window's process runs at a higher integrity level than this one (run
    // as administrator, say), so the system keeps this program's calls from
    // reaching its windows; a level that cannot be read counts as the same.
    virtual bool Outranks(Window window) = 0;
};

// Another process's share of the machine: its priority class and its
// efficiency mode (Windows's power throttling of its execution speed).
inline constexpr unsigned kIdlePriority = 0x40;          // IDLE_PRIORITY_CLASS
inline constexpr unsigned kBelowNormalPriority = 0x4000; // BELOW_NORMAL_PRIORITY_CLASS
inline constexpr unsigned kNormalPriority = 0x20;        // NORMAL_PRIORITY_CLASS
inline constexpr unsigned kAboveNormalPriority = 0x8000; // ABOVE_NORMAL_PRIORITY_CLASS
inline constexpr unsigned kHighPriority = 0x80;          // HIGH_PRIORITY_CLASS
inline constexpr unsigned kRealtimePriority = 0x100;     // REALTIME_PRIORITY_CLASS

// PROCESS_POWER_THROTTLING_STATE's masks: which behaviours the process
// decides itself, and which of those are on.
struct Throttling {
    std::uint32_t control = 0;
    std::uint32_t state = 0;
    friend bool operator==(Throttling, Throttling) = default;
};
inline constexpr std::uint32_t kThrottleExecutionSpeed = 0x1; // PROCESS_POWER_THROTTLING_EXECUTION_SPEED

class ProcessPriority {
public:
    virtual ~ProcessPriority() = default;
    // Nothing where the process cannot be opened (gone, or run above this program).
    virtual std::optional<unsigned> PriorityClass(ProcessId process) = 0;
    // Sets the class; with `onlyFrom`, only while the process still has that
    // one (what the player set meanwhile stays).
    virtual bool SetPriorityClass(ProcessId process, unsigned priorityClass,
                                  std::optional<unsigned> onlyFrom) = 0;
    // Nothing where the system has no efficiency mode or does not tell: some
    // systems that take the mode do not tell it.
    virtual std::optional<Throttling> ThrottlingOf(ProcessId process) = 0;
    // The same rule, where the mode can be read.
    virtual bool SetThrottling(ProcessId process, Throttling throttling,
                               std::optional<Throttling> onlyFrom) = 0;
    // This program may give a process the real-time class; without the
    // privilege to raise a base priority the system gives the high class instead.
    virtual bool MayGiveRealtime() = 0;
};

// Freezing another process: all its threads stop taking processor time (and
// its windows their messages) until it is resumed. Each suspension counts, so
// a process someone else also suspended stays suspended by them.
class Suspension {
public:
    virtual ~Suspension() = default;
    // False where the process cannot be opened for it (gone, or run above this program).
    virtual bool Suspend(ProcessId process) = 0;
    virtual bool Resume(ProcessId process) = 0;
};

// One audio session of a process on a render device.
struct AudioSession {
    // The same for the program's every run on that device: the system keeps
    // a session's volume and mute under it, from one run to the next.
    std::string identifier;
    // This run's session only.
    std::string instance;
    bool muted = false;
    friend bool operator==(const AudioSession&, const AudioSession&) = default;
};

// The audio sessions of other programs, on every active render device.
class AudioSessions {
public:
    virtual ~AudioSessions() = default;
    // A process's sessions; none where there is no device, no session, or no way to see them.
    virtual std::vector<AudioSession> SessionsOf(std::uint32_t processId) = 0;
    // Mutes or unmutes the sessions with these instance identifiers that still exist.
    virtual void SetMuted(const std::vector<std::string>& instances, bool muted) = 0;
    // Unmutes the sessions of any process that have one of these session
    // identifiers, and gives the identifiers it found a session for.
    virtual std::vector<std::string> UnmuteIdentifiers(const std::vector<std::string>& identifiers) = 0;
};

// Milliseconds from some fixed moment, for time limits.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint64_t Milliseconds() = 0;
};

// What a handler of a fatal fault can still give back of a hide, with calls
// that need no memory of their own: the game's process resumed if the hide
// froze it, its priority class and efficiency mode, its window shown again
// (maximised if it was), the display at its stored mode, the desktop's, if
// the hide switched it, and the record of what is left.
struct CrashRescue {
    Window window;
    bool maximized = false;
    ProcessId process;
    // The program froze it: resumed before anything else.
    bool frozen = false;
    std::optional<unsigned> priorityClass;
    std::optional<Throttling> throttling;
    bool storedMode = false;
    // The record as it stands once the handler has done its part, written
    // in its place so that the next start gives back only the rest.
    std::string recordAfter;
    friend bool operator==(const CrashRescue&, const CrashRescue&) = default;
};

// The logic keeps it up to date with every record of the hide; a crash handler acts on it.
class CrashPlan {
public:
    virtual ~CrashPlan() = default;
    virtual void Update(const CrashRescue& rescue) = 0;
};

struct Services {
    SettingsStore& settings;
    WindowManager& windows;
    HotkeyRegistrar& hotkeys;
    Display& display;
    MessageBoxes& boxes;
    Tray& tray;
    Pictures& pictures;
    InstanceGuard& instance;
    Keyboard& keyboard;
    DebugOutput& debug;
    Processes& processes;
    AudioSessions& audio;
    Gamma& gamma;
    Clock& clock;
    CrashPlan& crashPlan;
    ProcessPriority& priority;
    Suspension& suspension;
};

} // namespace tuckaway::os
