#include "windows/ProcessPriority.h"

#include "handles/Handles.h"
#include "windows/Processes.h"

namespace tuckaway::win32 {
namespace {

// Only that very process: a later one given its number is left alone. A
// process run above this program refuses the access, and is left as it is.
UniqueKernelHandle Open(os::ProcessId process) {
    UniqueKernelHandle handle(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_SET_INFORMATION, FALSE, process.id));
    if (handle && process.started != 0 && StartOf(handle.get()) != process.started) {
        handle.reset();
    }
    return handle;
}

// Efficiency mode is PROCESS_POWER_THROTTLING_EXECUTION_SPEED set in both the
// control and the state mask of ProcessPowerThrottling (SetProcessInformation,
// Windows 11 and Windows 10 21H2 on). Found at run time: older systems lack
// the functions or the class, and Wine 8 answers the class as a stub.
using GetInformation = BOOL(WINAPI*)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD);
using SetInformation = BOOL(WINAPI*)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD);

template <typename Function> Function Kernel32(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), name)));
}

} // namespace

std::optional<unsigned> ProcessPriority::PriorityClass(os::ProcessId process) {
    const UniqueKernelHandle handle = Open(process);
    const DWORD priorityClass = handle ? ::GetPriorityClass(handle.get()) : 0;
    return priorityClass != 0 ? std::optional<unsigned>(priorityClass) : std::nullopt;
}

bool ProcessPriority::SetPriorityClass(os::ProcessId process, unsigned priorityClass) {
    const UniqueKernelHandle handle = Open(process);
    return handle && ::SetPriorityClass(handle.get(), priorityClass);
}

std::optional<os::Throttling> ProcessPriority::ThrottlingOf(os::ProcessId process) {
    static const auto get = Kernel32<GetInformation>("GetProcessInformation");
    const UniqueKernelHandle handle = Open(process);
    PROCESS_POWER_THROTTLING_STATE state{};
    state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
    if (!get || !handle || !get(handle.get(), ProcessPowerThrottling, &state, sizeof state)) {
        return std::nullopt;
    }
    return os::Throttling{state.ControlMask, state.StateMask};
}

bool ProcessPriority::SetThrottling(os::ProcessId process, os::Throttling throttling) {
    static const auto set = Kernel32<SetInformation>("SetProcessInformation");
    const UniqueKernelHandle handle = Open(process);
    PROCESS_POWER_THROTTLING_STATE state{};
    state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
    state.ControlMask = throttling.control;
    state.StateMask = throttling.state;
    return set && handle && set(handle.get(), ProcessPowerThrottling, &state, sizeof state);
}

} // namespace tuckaway::win32
