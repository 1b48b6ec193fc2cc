#include "fake/FakeSystem.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>

namespace tuckaway::fake {
namespace {

// Everything the program stores lives in its own few sections; a test that
// sees another has found a fault.
void CheckSection(std::string_view application, std::string_view section) {
    if (application != "Tuckaway v1.10" ||
        (section != "program" && section != "options" && section != "recovery")) {
        throw std::logic_error("settings outside the program's sections");
    }
}

// How a key shows in the log: the program's own seven bare, others with their section.
std::string Logged(std::string_view section, std::string_view key) {
    return section == "program" ? std::string(key) : std::string(section) + "/" + std::string(key);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string DialogName(ui::Dialog dialog) {
    return dialog == ui::Dialog::Main ? "MainDialog" : "HotkeyDialog";
}

} // namespace

os::Services FakeSystem::Services() {
    return {*this, *this, *this, *this, *this, *this, *this, *this,
            *this, *this, *this, *this, *this, *this, *this, *this};
}

std::vector<std::string> FakeSystem::LogStartingWith(std::string_view prefix) const {
    std::vector<std::string> lines;
    std::ranges::copy_if(log, std::back_inserter(lines),
                         [&](const std::string& line) { return line.starts_with(prefix); });
    return lines;
}

std::optional<std::string> FakeSystem::Read(std::string_view application, std::string_view section,
                                            std::string_view key) {
    CheckSection(application, section);
    log.push_back("Read " + Logged(section, key));
    if (failReads) {
        return std::nullopt;
    }
    const auto& values = section == "program" ? registry : sections[std::string(section)];
    const auto it = values.find(key);
    if (it == values.end()) {
        return std::nullopt;
    }
    return it->second;
}

void FakeSystem::Write(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view value) {
    CheckSection(application, section);
    log.push_back("Write " + Logged(section, key) + "=" + std::string(value));
    auto& values = section == "program" ? registry : sections[std::string(section)];
    values[std::string(key)] = value;
}

std::vector<os::StoredValue> FakeSystem::Enumerate(std::string_view application, std::string_view section) {
    if (application != "Tuckaway v1.10" || section != "games") {
        throw std::logic_error("enumeration of another section than the games");
    }
    log.push_back("Enumerate " + std::string(section));
    return failReads ? std::vector<os::StoredValue>{} : games;
}

os::Window FakeSystem::Find(std::string_view title) {
    const auto it = std::ranges::find_if(windowsByTitle, [&](const auto& entry) {
        const std::string& className = windowClass[entry.second.value];
        return SameIgnoringCase(entry.first, title) && className != "CabinetWClass" &&
               className != "ExploreWClass";
    });
    const bool blank = title.find_first_not_of(' ') == std::string_view::npos;
    return it == windowsByTitle.end() || blank ? os::Window{} : it->second;
}

os::Window FakeSystem::FindWindowByTitle(std::string_view title) {
    log.push_back("FindWindow " + std::string(title));
    return Find(title);
}

std::vector<os::Window> FakeSystem::FindWindows(std::span<const std::string_view> titles) {
    std::string line = "FindWindows ";
    std::vector<os::Window> found;
    for (const std::string_view title : titles) {
        line += (found.empty() ? "" : "|") + std::string(title);
        found.push_back(Find(title));
    }
    log.push_back(line);
    return found;
}

void FakeSystem::ShowWindow(os::Window window, ShowCommand command) {
    log.push_back("ShowWindow " + std::to_string(window.value) + " " +
                  std::to_string(static_cast<int>(command)));
    if (hung[window.value]) {
        postedShows[window.value].push_back(command);
        return;
    }
    visible[window.value] = command != ShowCommand::Hide;
    if (command == ShowCommand::Restore) {
        minimized[window.value] = false;
        maximized[window.value] = false;
    } else if (command == ShowCommand::ShowMaximized) {
        minimized[window.value] = false;
        maximized[window.value] = true;
    }
}

void FakeSystem::Answer(os::Window window) {
    hung[window.value] = false;
    for (const ShowCommand command : std::exchange(postedShows[window.value], {})) {
        ShowWindow(window, command);
    }
}

bool FakeSystem::IsMaximized(os::Window window) {
    return maximized[window.value];
}

bool FakeSystem::IsHung(os::Window window) {
    return hung[window.value];
}

os::Window FakeSystem::Foreground() {
    return foreground;
}

bool FakeSystem::WaitUntilShown(os::Window window, unsigned milliseconds) {
    log.push_back("WaitUntilShown " + std::to_string(milliseconds));
    return visible[window.value];
}

void FakeSystem::SetForegroundWindow(os::Window window) {
    log.push_back("SetForegroundWindow " + std::to_string(window.value));
    foreground = window;
}

os::WindowManager::WindowState FakeSystem::StateOf(os::Window window) {
    log.push_back("StateOf " + std::to_string(window.value));
    if (!visible[window.value]) {
        return WindowState::Hidden;
    }
    return minimized[window.value] ? WindowState::Minimized : WindowState::Shown;
}

void FakeSystem::PumpPendingMessages() {
    log.push_back("Pump");
    // Messages that arrive while these run wait for the next pump, as in a real queue.
    auto waiting = std::move(pending);
    pending.clear();
    for (auto& message : waiting) {
        message();
    }
}

bool FakeSystem::RegisterHotKey(os::Window window, int id, unsigned modifiers, unsigned virtualKey) {
    log.push_back("RegisterHotKey " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                  std::to_string(virtualKey));
    const auto combination = std::make_pair(modifiers, virtualKey);
    const bool taken = std::ranges::find(heldElsewhere, combination) != heldElsewhere.end() ||
                       std::ranges::any_of(registered, [&](const HotkeyRegistration& r) {
                           return r.modifiers == modifiers && r.virtualKey == virtualKey;
                       });
    if (taken) {
        return false;
    }
    // The same window and id again succeeds and takes the new combination.
    std::erase_if(registered, [&](const HotkeyRegistration& r) { return r.window == window && r.id == id; });
    registered.push_back({window, id, modifiers, virtualKey});
    return true;
}

void FakeSystem::UnregisterHotKey(os::Window window, int id) {
    log.push_back("UnregisterHotKey " + std::to_string(id));
    std::erase_if(registered, [&](const HotkeyRegistration& r) { return r.window == window && r.id == id; });
}

std::uintptr_t FakeSystem::InstallHotkeyProc(os::Window window, os::WindowProcedure& procedure) {
    log.push_back("InstallHotkeyProc " + std::to_string(window.value));
    installedProc = &procedure;
    return kPreviousProc;
}

std::intptr_t FakeSystem::CallPreviousProc(std::uintptr_t procedure, os::Window window, unsigned message,
                                           std::uintptr_t wParam, std::intptr_t lParam) {
    log.push_back("CallWindowProc " + std::to_string(procedure));
    return previousProc ? previousProc(window, message, wParam, lParam) : 0;
}

bool FakeSystem::EnumerateMode(std::uint32_t modeNumber, os::DisplayMode& mode) {
    log.push_back("EnumerateMode " + std::to_string(modeNumber));
    if (enumerationFails) {
        return false;
    }
    mode = enumeratedMode;
    return true;
}

std::int32_t FakeSystem::ChangeMode(const os::DisplayMode& mode, std::uint32_t flags) {
    const bool test = (flags & os::kChangeTest) != 0;
    log.push_back((test ? "TestMode " : "ChangeMode ") + std::to_string(mode.width) + "x" +
                  std::to_string(mode.height));
    if (test) {
        return testResult.value_or(changeResult.value_or(os::kDisplayChangeSuccessful));
    }
    modeChanges.emplace_back(mode, flags);
    if (changeResult) {
        return *changeResult;
    }
    if (flags & os::kChangeUpdateRegistry) {
        storedSize = {mode.width, mode.height};
    }
    if (!(flags & os::kChangeNoReset)) {
        displaySize = {mode.width, mode.height};
        // Fields the request leaves out are the driver's choice: here, its defaults.
        displayBits = (mode.fields & os::kDisplayFieldBitsPerPixel) ? mode.bitsPerPixel : 32;
        displayFrequency = (mode.fields & os::kDisplayFieldFrequency) ? mode.frequency : 60;
    }
    return os::kDisplayChangeSuccessful;
}

bool FakeSystem::StoredMode(os::DisplayMode& mode) {
    mode = {os::kDisplayFieldWidth | os::kDisplayFieldHeight | os::kDisplayFieldBitsPerPixel |
                os::kDisplayFieldFrequency,
            storedSize.width, storedSize.height, 32, 60};
    return true;
}

bool FakeSystem::CurrentMode(os::DisplayMode& mode) {
    if (currentModeFails) {
        return false;
    }
    mode = {os::kDisplayFieldWidth | os::kDisplayFieldHeight | os::kDisplayFieldBitsPerPixel |
                os::kDisplayFieldFrequency,
            displaySize.width, displaySize.height, displayBits, displayFrequency};
    return true;
}

os::Size FakeSystem::CurrentSize() {
    return displaySize;
}

void FakeSystem::RequestRestart() {
    log.push_back("RequestRestart");
    ++restarts;
}

os::BoxAnswer FakeSystem::Show(std::string_view text, std::string_view caption, os::BoxStyle style) {
    log.push_back("MessageBox " + std::string(text));
    boxes.push_back({std::string(text), std::string(caption), style});
    if (whileBoxOpen) {
        whileBoxOpen();
    }
    if (!answers.empty()) {
        const os::BoxAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return style == os::BoxStyle::YesNoInformation ? os::BoxAnswer::No : os::BoxAnswer::Ok;
}

bool FakeSystem::Notify(Action action, const os::TrayIconRecord& record) {
    log.push_back("Tray " + std::to_string(static_cast<int>(action)));
    trayCalls.emplace_back(action, record);
    const auto key = std::make_pair(record.window.value, record.id);
    const bool held = trayIcons.contains(key);
    if (trayRefuses || held == (action == Action::Add)) {
        return false;
    }
    if (action == Action::Delete) {
        trayIcons.erase(key);
    } else {
        trayIcons[key] = record;
    }
    return true;
}

bool FakeSystem::Warn(const os::TrayIconRecord&, std::string_view title, std::string_view text) {
    log.push_back("Warn " + std::string(text));
    warnings.push_back(std::string(title) + ": " + std::string(text));
    return true;
}

os::Icon FakeSystem::Logo(int pictureNumber) {
    return os::Icon{0x1000u + static_cast<unsigned>(pictureNumber)};
}

bool FakeSystem::ClaimFirstInstance() {
    return !anotherInstanceRuns;
}

void FakeSystem::TypeCombination(unsigned modifiers, unsigned virtualKey) {
    log.push_back("TypeCombination " + std::to_string(modifiers) + " " + std::to_string(virtualKey));
    if (whileTyping) {
        whileTyping();
    }
}

void FakeSystem::Log(std::string_view line) {
    debugLines.emplace_back(line);
}

os::ProcessId FakeSystem::OwnerOf(os::Window window) {
    const auto it = processOfWindow.find(window.value);
    return it == processOfWindow.end() ? os::ProcessId{} : it->second;
}

bool FakeSystem::Runs(os::ProcessId process) {
    return std::ranges::find(running, process) != running.end();
}

bool FakeSystem::Outranks(os::Window window) {
    return elevated[window.value];
}

std::optional<unsigned> FakeSystem::PriorityClass(os::ProcessId process) {
    if (unopenable[process.id] || !Runs(process)) {
        return std::nullopt;
    }
    const auto it = priorityOf.find(process.id);
    return it == priorityOf.end() ? os::kNormalPriority : it->second;
}

bool FakeSystem::SetPriorityClass(os::ProcessId process, unsigned priorityClass) {
    log.push_back("SetPriorityClass " + std::to_string(priorityClass));
    if (!PriorityClass(process)) {
        return false;
    }
    priorityOf[process.id] = priorityClass;
    return true;
}

std::optional<os::Throttling> FakeSystem::ThrottlingOf(os::ProcessId process) {
    if (!efficiencyMode || !PriorityClass(process)) {
        return std::nullopt;
    }
    return throttlingOf[process.id];
}

bool FakeSystem::SetThrottling(os::ProcessId process, os::Throttling throttling) {
    if (!ThrottlingOf(process)) {
        return false;
    }
    throttlingOf[process.id] = throttling;
    return true;
}

unsigned FakeSystem::PriorityOf(os::Window window) {
    return PriorityClass(processOfWindow.at(window.value)).value_or(0);
}

std::uint64_t FakeSystem::Milliseconds() {
    return now;
}

void FakeSystem::Update(os::Window hiddenGame, bool desktopMode) {
    crashShows = hiddenGame;
    crashRestoresDesktopMode = desktopMode;
}

std::vector<std::string> FakeSystem::UnmutedSessions(std::uint32_t processId) {
    log.push_back("UnmutedSessions " + std::to_string(processId));
    std::vector<std::string> ids;
    for (const Session& session : sessions) {
        if (!audioUnavailable && session.process == processId && !session.muted) {
            ids.push_back(session.id);
        }
    }
    return ids;
}

void FakeSystem::SetMuted(const std::vector<std::string>& ids, bool muted) {
    log.push_back(std::string(muted ? "Mute" : "Unmute") + " " + std::to_string(ids.size()));
    for (Session& session : sessions) {
        if (!audioUnavailable && std::ranges::find(ids, session.id) != ids.end()) {
            session.muted = muted;
        }
    }
}

bool FakeSystem::SessionMuted(std::string_view id) const {
    const auto it = std::ranges::find(sessions, id, &Session::id);
    return it != sessions.end() && it->muted;
}

std::optional<os::GammaRamp> FakeSystem::Read() {
    return gammaRamp;
}

bool FakeSystem::Write(const os::GammaRamp& ramp) {
    log.push_back("SetGamma " + std::to_string(ramp[0]));
    if (!gammaRamp) {
        return false;
    }
    gammaRamp = ramp;
    return true;
}

os::GammaRamp FakeSystem::Ramp(std::uint16_t level) {
    os::GammaRamp ramp;
    ramp.fill(level);
    return ramp;
}

os::Window FakeSystem::MainWindow() {
    return kMainWindow;
}

void FakeSystem::HideMainWindow() {
    log.push_back("HideMainWindow");
    mainWindowHidden = true;
}

void FakeSystem::DestroyMainWindow() {
    log.push_back("DestroyMainWindow");
    mainWindowExists = false;
}

void FakeSystem::Quit() {
    log.push_back("Quit");
    quit = true;
}

void FakeSystem::SetTimerInterval(unsigned milliseconds) {
    log.push_back("SetTimerInterval " + std::to_string(milliseconds));
    timerInterval = milliseconds;
}

void FakeSystem::WatchGameWindow(unsigned milliseconds) {
    watchAsked = milliseconds;
}

std::optional<ui::MenuItem> FakeSystem::TrackTrayMenu(bool showRestoreResolution) {
    log.push_back("TrackTrayMenu");
    menusShown.push_back(showRestoreResolution);
    return menuChoice;
}

void FakeSystem::RestoreDialog(ui::Dialog dialog) {
    log.push_back("Restore" + DialogName(dialog));
}

void FakeSystem::DestroyDialog(ui::Dialog dialog) {
    log.push_back("Destroy" + DialogName(dialog));
    dialogExists[dialog] = false;
    dialogVisible[dialog] = false;
}

void FakeSystem::SetControlTransparent(bool transparent) {
    log.push_back(transparent ? "SetControlTransparent 1" : "SetControlTransparent 0");
    transparencyCalls.push_back(transparent);
}

bool FakeSystem::DialogExists(ui::Dialog dialog) {
    return dialogExists[dialog];
}

void FakeSystem::CreateDialogWindow(ui::Dialog dialog) {
    log.push_back("Create" + DialogName(dialog));
    dialogExists[dialog] = dialog != dialogCreationFails;
    dialogVisible[dialog] = false;
}

os::Window FakeSystem::DialogWindow(ui::Dialog dialog) {
    if (!dialogExists[dialog]) {
        return {};
    }
    return dialog == ui::Dialog::Main ? kMainDialogWindow : kHotkeyDialogWindow;
}

void FakeSystem::ShowDialog(ui::Dialog dialog) {
    log.push_back("Show" + DialogName(dialog));
    dialogVisible[dialog] = true;
}

void FakeSystem::HideDialog(ui::Dialog dialog) {
    log.push_back("Hide" + DialogName(dialog));
    dialogVisible[dialog] = false;
}

void FakeSystem::ShapeDialog(ui::Dialog dialog) {
    log.push_back("Shape" + DialogName(dialog));
}

void FakeSystem::DragDialog(ui::Dialog dialog) {
    log.push_back("Drag" + DialogName(dialog));
}

void FakeSystem::AskForIdle() {
    log.push_back("AskForIdle");
    idleAsked = true;
}

// What a dialog shows is lost while its window does not exist, as with real controls.
void FakeSystem::ShowHelpText(std::string_view text) {
    if (dialogExists[ui::Dialog::Main]) {
        helpText = text;
    }
}
void FakeSystem::ShowGameList(std::span<const std::string_view> entries) {
    if (dialogExists[ui::Dialog::Main]) {
        shownGameList.assign(entries.begin(), entries.end());
    }
}
void FakeSystem::ShowGameSelection(int entryIndex) {
    if (dialogExists[ui::Dialog::Main]) {
        shownSelection = entryIndex;
    }
}
void FakeSystem::ShowGameListLocked(bool locked) {
    if (dialogExists[ui::Dialog::Main]) {
        shownLocked = locked;
    }
}
void FakeSystem::ShowScreenResCheck(int value) {
    if (dialogExists[ui::Dialog::Main]) {
        shownCheck = value;
    }
}
void FakeSystem::ShowHotkeyField(ui::HotkeyField field, std::string_view text) {
    if (dialogExists[ui::Dialog::Hotkey]) {
        shownFields[field] = text;
    }
}

os::Window FakeSystem::AddGameWindow(std::string_view title, std::string_view className) {
    const os::Window window{0x5000u + windowsMade_++};
    windowsByTitle[std::string(title)] = window;
    windowClass[window.value] = className;
    visible[window.value] = true;
    const os::ProcessId process{static_cast<std::uint32_t>(0x7000u + window.value), 1000u + window.value};
    processOfWindow[window.value] = process;
    running.push_back(process);
    return window;
}

void FakeSystem::AddSession(os::Window window, std::string id, bool muted) {
    sessions.push_back({std::move(id), processOfWindow.at(window.value).id, muted});
}

void FakeSystem::MinimizeGameWindow(os::Window window) {
    visible[window.value] = true;
    minimized[window.value] = true;
}

} // namespace tuckaway::fake
