#include "fake/FakeWindows.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace tuckaway::fake {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

os::Window FakeWindows::Find(std::string_view title) {
    const auto it = std::ranges::find_if(windowsByTitle, [&](const auto& entry) {
        const std::string& className = windowClass[entry.second.value];
        return SameIgnoringCase(entry.first, title) && className != "CabinetWClass" &&
               className != "ExploreWClass";
    });
    const bool blank = title.find_first_not_of(' ') == std::string_view::npos;
    return it == windowsByTitle.end() || blank ? os::Window{} : it->second;
}

os::Window FakeWindows::FindWindowByTitle(std::string_view title) {
    log.push_back("FindWindow " + std::string(title));
    return Find(title);
}

std::vector<os::Window> FakeWindows::FindWindows(std::span<const std::string_view> titles) {
    std::string line = "FindWindows ";
    std::vector<os::Window> found;
    for (const std::string_view title : titles) {
        line += (found.empty() ? "" : "|") + std::string(title);
        found.push_back(Find(title));
    }
    log.push_back(line);
    return found;
}

void FakeWindows::ShowWindow(os::Window window, ShowCommand command) {
    log.push_back("ShowWindow " + std::to_string(window.value) + " " +
                  std::to_string(static_cast<int>(command)));
    if (destroyed[window.value]) {
        return;
    }
    if (hung[window.value] || Frozen(window)) {
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

void FakeWindows::Answer(os::Window window) {
    hung[window.value] = false;
    Deliver(window);
}

void FakeWindows::Deliver(os::Window window) {
    if (hung[window.value] || Frozen(window)) {
        return;
    }
    for (const ShowCommand command : std::exchange(postedShows[window.value], {})) {
        ShowWindow(window, command);
    }
}

bool FakeWindows::IsMaximized(os::Window window) {
    return maximized[window.value];
}

bool FakeWindows::IsHung(os::Window window) {
    return hung[window.value];
}

os::Window FakeWindows::Foreground() {
    return foreground;
}

bool FakeWindows::WaitUntilShown(os::Window window, unsigned milliseconds) {
    log.push_back("WaitUntilShown " + std::to_string(milliseconds));
    return visible[window.value];
}

void FakeWindows::SetForegroundWindow(os::Window window) {
    log.push_back("SetForegroundWindow " + std::to_string(window.value));
    foreground = window;
}

os::WindowManager::WindowState FakeWindows::StateOf(os::Window window) {
    log.push_back("StateOf " + std::to_string(window.value));
    if (!visible[window.value]) {
        return WindowState::Hidden;
    }
    return minimized[window.value] ? WindowState::Minimized : WindowState::Shown;
}

void FakeWindows::PumpPendingMessages() {
    log.push_back("Pump");
    // Messages that arrive while these run wait for the next pump, as in a real queue.
    auto waiting = std::move(pending);
    pending.clear();
    for (auto& message : waiting) {
        message();
    }
}

void FakeWindows::MinimizeGameWindow(os::Window window) {
    visible[window.value] = true;
    minimized[window.value] = true;
}

} // namespace tuckaway::fake
