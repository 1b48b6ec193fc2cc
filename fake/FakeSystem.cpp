#include "fake/FakeSystem.h"

#include <utility>

namespace tuckaway::fake {

os::Services FakeSystem::Services() {
    return {*this, *this, *this, *this, *this, *this, *this, *this,
            *this, *this, *this, *this, *this, *this, *this, *this};
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

} // namespace tuckaway::fake
