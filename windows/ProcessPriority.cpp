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

bool ProcessPriority::SetPriorityClass(os::ProcessId process, unsigned priorityClass,
                                       std::optional<unsigned> onlyFrom) {
    const UniqueKernelHandle handle = Open(process);
    if (!handle) {
        return false;
    }
    if (onlyFrom && ::GetPriorityClass(handle.get()) != *onlyFrom) {
        return true;
    }
    return ::SetPriorityClass(handle.get(), priorityClass);
}

namespace {

std::optional<os::Throttling> Read(HANDLE process) {
    static const auto get = Kernel32<GetInformation>("GetProcessInformation");
    PROCESS_POWER_THROTTLING_STATE state{};
    state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
    if (!get || !get(process, ProcessPowerThrottling, &state, sizeof state)) {
        return std::nullopt;
    }
    return os::Throttling{state.ControlMask, state.StateMask};
}

} // namespace

std::optional<os::Throttling> ProcessPriority::ThrottlingOf(os::ProcessId process) {
    const UniqueKernelHandle handle = Open(process);
    return handle ? Read(handle.get()) : std::nullopt;
}

bool ProcessPriority::SetThrottling(os::ProcessId process, os::Throttling throttling,
                                    std::optional<os::Throttling> onlyFrom) {
    static const auto set = Kernel32<SetInformation>("SetProcessInformation");
    const UniqueKernelHandle handle = Open(process);
    if (!set || !handle) {
        return false;
    }
    // Windows 10 21H2 and 22H2 take the mode but fail to tell it: there the set goes ahead.
    if (const auto now = onlyFrom ? Read(handle.get()) : std::nullopt; now && now != onlyFrom) {
        return true;
    }
    PROCESS_POWER_THROTTLING_STATE state{};
    state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
    state.ControlMask = throttling.control;
    state.StateMask = throttling.state;
    return set(handle.get(), ProcessPowerThrottling, &state, sizeof state);
}

bool ProcessPriority::MayGiveRealtime() {
    // Asked once: a token's privileges do not change while the program runs.
    static const bool may = [] {
        HANDLE raw = nullptr;
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) {
            return false;
        }
        const UniqueKernelHandle token(raw);
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (!::LookupPrivilegeValueW(nullptr, SE_INC_BASE_PRIORITY_NAME, &privileges.Privileges[0].Luid)) {
            return false;
        }
        // Succeeds with ERROR_NOT_ALL_ASSIGNED where the token lacks it.
        return ::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr) &&
               ::GetLastError() == ERROR_SUCCESS;
    }();
    return may;
}

} // namespace tuckaway::win32
