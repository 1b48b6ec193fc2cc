#include "windows/Processes.h"

#include "handles/Handles.h"

namespace tuckaway::win32 {
namespace {

// Limited information is granted on processes of every integrity level, an
// elevated game's included.
UniqueKernelHandle Open(DWORD id) {
    return UniqueKernelHandle(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
}

std::uint64_t StartOf(HANDLE process) {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    return (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
}

} // namespace

os::ProcessId Processes::OwnerOf(os::Window window) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(reinterpret_cast<HWND>(window.value), &id);
    if (id == 0) {
        return {};
    }
    const UniqueKernelHandle process = Open(id);
    return {id, process ? StartOf(process.get()) : 0};
}

bool Processes::Runs(os::ProcessId process) {
    if (!process) {
        return false;
    }
    const UniqueKernelHandle handle = Open(process.id);
    if (!handle) {
        // A process that cannot be looked at exists; one that is gone gives another error.
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD code = 0;
    return ::GetExitCodeProcess(handle.get(), &code) && code == STILL_ACTIVE &&
           (process.started == 0 || StartOf(handle.get()) == process.started);
}

} // namespace tuckaway::win32
