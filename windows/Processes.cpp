#include "windows/Processes.h"

#include "handles/Handles.h"

namespace tuckaway::win32 {
namespace {

// Limited information is granted on processes of every integrity level, an
// elevated game's included.
UniqueKernelHandle Open(DWORD id) {
    return UniqueKernelHandle(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
}

// The mandatory integrity level of a process's token (low, medium, high,
// system), which User Interface Privilege Isolation compares; nothing when
// the token cannot be read.
std::optional<unsigned long> IntegrityOf(HANDLE process) {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &raw)) {
        return std::nullopt;
    }
    const UniqueKernelHandle token(raw);
    alignas(TOKEN_MANDATORY_LABEL) BYTE buffer[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    if (!::GetTokenInformation(token.get(), TokenIntegrityLevel, buffer, sizeof buffer, &size)) {
        return std::nullopt;
    }
    const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    const UCHAR count = *::GetSidSubAuthorityCount(sid);
    if (count == 0) {
        return std::nullopt;
    }
    return *::GetSidSubAuthority(sid, count - 1u);
}

} // namespace

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
        // A process that cannot be looked at exists; one that is gone gives
        // another error. But one known by its start was looked at once: one
        // that now refuses is another process given its number.
        return ::GetLastError() == ERROR_ACCESS_DENIED && process.started == 0;
    }
    DWORD code = 0;
    return ::GetExitCodeProcess(handle.get(), &code) && code == STILL_ACTIVE &&
           (process.started == 0 || StartOf(handle.get()) == process.started);
}

bool Processes::Outranks(os::Window window) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(reinterpret_cast<HWND>(window.value), &id);
    if (id == 0) {
        return false;
    }
    if (!ownLevel_) {
        ownLevel_ = IntegrityOf(::GetCurrentProcess()).value_or(SECURITY_MANDATORY_MEDIUM_RID);
    }
    const UniqueKernelHandle process = Open(id);
    const auto level = process ? IntegrityOf(process.get()) : std::nullopt;
    // A level that cannot be read counts as the same: the program tries, as before.
    return level && *level > *ownLevel_;
}

} // namespace tuckaway::win32
