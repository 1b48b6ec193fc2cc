#include "fake/FakeProcesses.h"

#include <algorithm>

namespace tuckaway::fake {

os::ProcessId FakeProcesses::OwnerOf(os::Window window) {
    const auto it = processOfWindow.find(window.value);
    return it == processOfWindow.end() ? os::ProcessId{} : it->second;
}

bool FakeProcesses::Runs(os::ProcessId process) {
    return std::ranges::find(running, process) != running.end();
}

bool FakeProcesses::Outranks(os::Window window) {
    return elevated[window.value];
}

} // namespace tuckaway::fake
