#include "windows/Suspension.h"

#include "handles/Handles.h"
#include "windows/Processes.h"

#include <windows.h>

namespace tuckaway::win32 {
namespace {

// Not in the SDK's headers, but exported by ntdll since Windows XP and
// implemented by Wine: found at run time, never imported.
using ProcessCall = LONG(NTAPI*)(HANDLE);

ProcessCall Ntdll(const char* name) {
    return reinterpret_cast<ProcessCall>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), name)));
}

// Only that very process: a later one given its number is left alone. One
// run above this program refuses the access.
bool Call(os::ProcessId process, ProcessCall call) {
    if (!call) {
        return false;
    }
    const UniqueKernelHandle handle(
        ::OpenProcess(PROCESS_SUSPEND_RESUME | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.id));
    if (!handle || (process.started != 0 && StartOf(handle.get()) != process.started)) {
        return false;
    }
    return call(handle.get()) >= 0; // NT_SUCCESS
}

} // namespace

bool Suspension::Suspend(os::ProcessId process) {
    static const ProcessCall suspend = Ntdll("NtSuspendProcess");
    return Call(process, suspend);
}

bool Suspension::Resume(os::ProcessId process) {
    // Found before it is needed: a crash handler resumes with it.
    static const ProcessCall resume = Ntdll("NtResumeProcess");
    return Call(process, resume);
}

} // namespace tuckaway::win32
