#include "fake/FakeSystem.h"

#include <utility>

namespace tuckaway::fake {

os::Services FakeSystem::Services() {
    return {*this, *this, *this, *this, *this, *this, *this, *this, *this,
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
    std::string identifier = id;
    OpenSession(processOfWindow.at(window.value).id, std::move(id), std::move(identifier), muted);
}

void FakeSystem::EndProcess(os::ProcessId process) {
    std::erase(running, process);
    for (const auto& [window, owner] : processOfWindow) {
        if (owner == process) {
            destroyed[window] = true;
            visible[window] = false;
            postedShows.erase(window);
        }
    }
    std::erase_if(windowsByTitle,
                  [&](const auto& entry) { return processOfWindow[entry.second.value] == process; });
    std::erase_if(sessions, [&](const Session& session) { return session.process == process.id; });
}

void FakeSystem::RunCrashPlan() {
    const os::CrashRescue plan = rescue;
    if (plan.frozen) {
        Resume(plan.process);
    }
    if (plan.window) {
        ShowWindow(plan.window, plan.maximized ? ShowCommand::ShowMaximized : ShowCommand::Show);
    }
    constexpr os::Throttling kEfficient{os::kThrottleExecutionSpeed, os::kThrottleExecutionSpeed};
    if (plan.priorityClass) {
        SetPriorityClass(plan.process, *plan.priorityClass, os::kBelowNormalPriority);
    }
    if (plan.throttling) {
        SetThrottling(plan.process, *plan.throttling, kEfficient);
    }
    if (plan.storedMode) {
        ChangeMode(
            {os::kDisplayFieldWidth | os::kDisplayFieldHeight, storedSize.width, storedSize.height, 0, 0}, 0);
    }
    if (!plan.recordAfter.empty()) {
        sections["recovery"]["Hide"] = plan.recordAfter;
    }
}

bool FakeSystem::Frozen(os::Window window) {
    const auto it = processOfWindow.find(window.value);
    return it != processOfWindow.end() && Suspended(it->second.id);
}

bool FakeSystem::MayOpen(os::ProcessId process) {
    return Runs(process) && !unopenable[process.id];
}

void FakeSystem::Resumed(os::ProcessId process) {
    for (const auto& [window, owner] : processOfWindow) {
        if (owner == process) {
            Deliver(os::Window{window});
        }
    }
}

void FakeSystem::ModeChanged() {
    if (gammaRamp) {
        gammaRamp = Ramp(0xFFFF);
    }
}

} // namespace tuckaway::fake
