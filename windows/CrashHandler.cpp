#include "windows/CrashHandler.h"

#include "handles/Handles.h"
#include "windows/ProcessPriority.h"
#include "windows/Suspension.h"

#include <dbghelp.h>
#include <winternl.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cwchar>

namespace tuckaway::win32 {
namespace {

// What the filter acts on lives outside the heap, set beforehand: a crashed
// process may have a broken one.
struct Plan {
    std::atomic<HWND> window{nullptr};
    std::atomic<bool> maximized{false};
    std::atomic<DWORD> process{0};
    std::atomic<std::uint64_t> started{0};
    std::atomic<DWORD> priorityClass{0}; // none: 0
    std::atomic<bool> throttled{false};
    std::atomic<DWORD> control{0};
    std::atomic<DWORD> state{0};
    std::atomic<bool> storedMode{false};
    std::atomic<bool> frozen{false};
} plan;

// The record of what is left once the handler has done its part, ready to be
// written in the place of the one the run kept (two buffers: the one being
// filled is never the one a fault would write).
constexpr DWORD kRecordChars = 16384;
wchar_t records[2][kRecordChars];
std::atomic<DWORD> recordBytes[2];
std::atomic<int> currentRecord{0};
UniqueRegistryKey recordKey;
std::wstring recordPath;
wchar_t recordName[64] = {};

// NtSetValueKey takes a counted name and the data as they are: nothing on the heap.
void WriteRecord() {
    using SetValue = LONG(NTAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, void*, ULONG);
    const int which = currentRecord.load();
    const DWORD bytes = recordBytes[which].load();
    const auto set = reinterpret_cast<SetValue>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
    if (!recordKey || bytes == 0 || !set) {
        return;
    }
    UNICODE_STRING name;
    name.Buffer = recordName;
    name.Length = static_cast<USHORT>(std::wcslen(recordName) * sizeof(wchar_t));
    name.MaximumLength = name.Length;
    set(recordKey.get(), &name, 0, REG_SZ, records[which], bytes);
}
// The program's one thread, which must not act on the game while the handler does.
UniqueKernelHandle mainThread;
DWORD mainThreadId = 0;
wchar_t folder[MAX_PATH] = {};
constexpr int kDumpsKept = 5;

// Dumps are named by their time, so the oldest sort first.
void KeepNewest() {
    static wchar_t pattern[MAX_PATH + 16];
    static wchar_t names[64][MAX_PATH];
    ::wsprintfW(pattern, L"%s\\crash-*.dmp", folder);
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    int count = 0;
    do {
        if (count < 64) {
            std::wcsncpy(names[count++], found.cFileName, MAX_PATH - 1);
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    // Delete the oldest until five are left: a few names, a plain selection.
    for (int left = count; left > kDumpsKept; --left) {
        int oldest = -1;
        for (int i = 0; i < count; ++i) {
            if (names[i][0] != 0 && (oldest < 0 || std::wcscmp(names[i], names[oldest]) < 0)) {
                oldest = i;
            }
        }
        static wchar_t path[MAX_PATH * 2];
        ::wsprintfW(path, L"%s\\%s", folder, names[oldest]);
        ::DeleteFileW(path);
        names[oldest][0] = 0;
    }
}

void WriteDump(EXCEPTION_POINTERS* info) {
    if (folder[0] == 0) {
        return;
    }
    // Made now, not at start: most runs never need it.
    static wchar_t parent[MAX_PATH];
    std::wcsncpy(parent, folder, MAX_PATH - 1);
    if (wchar_t* last = std::wcsrchr(parent, L'\\')) {
        *last = 0;
        ::CreateDirectoryW(parent, nullptr);
    }
    ::CreateDirectoryW(folder, nullptr);
    SYSTEMTIME now;
    ::GetSystemTime(&now);
    static wchar_t path[MAX_PATH + 64];
    ::wsprintfW(path, L"%s\\crash-%04u%02u%02u-%02u%02u%02u-%lu.dmp", folder, now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond, ::GetCurrentProcessId());
    const HANDLE file =
        ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    // dbghelp is a system library, loaded only here.
    using Write = decltype(&::MiniDumpWriteDump);
    if (const HMODULE dbghelp = ::LoadLibraryExW(L"dbghelp.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        if (const auto write = reinterpret_cast<Write>(
                reinterpret_cast<void (*)()>(::GetProcAddress(dbghelp, "MiniDumpWriteDump")))) {
            MINIDUMP_EXCEPTION_INFORMATION exception{::GetCurrentThreadId(), info, FALSE};
            write(::GetCurrentProcess(), ::GetCurrentProcessId(), file, MiniDumpNormal, &exception, nullptr,
                  nullptr);
        }
    }
    ::CloseHandle(file);
    KeepNewest();
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
    // A fault in another thread (a system library's): the program's own stops
    // first, or its next tick would take the game shown here for a restore.
    if (mainThread && ::GetCurrentThreadId() != mainThreadId) {
        ::SuspendThread(mainThread.get());
    }
    // First what the user sees: the game's share of the machine, the game back,
    // the desktop's mode; none of it waits for anyone or needs the heap. What
    // the hide changed beyond that, the next start gives back.
    const os::ProcessId process{plan.process.load(), plan.started.load()};
    if (plan.frozen.load()) {
        Suspension().Resume(process);
    }
    ProcessPriority priority;
    if (const DWORD before = plan.priorityClass.load()) {
        priority.SetPriorityClass(process, before, BELOW_NORMAL_PRIORITY_CLASS);
    }
    if (plan.throttled.load()) {
        constexpr os::Throttling kEfficient{os::kThrottleExecutionSpeed, os::kThrottleExecutionSpeed};
        priority.SetThrottling(process, {plan.control.load(), plan.state.load()}, kEfficient);
    }
    if (const HWND game = plan.window.load()) {
        ::ShowWindowAsync(game, plan.maximized.load() ? SW_SHOWMAXIMIZED : SW_SHOW);
    }
    if (plan.storedMode.load()) {
        ::ChangeDisplaySettingsW(nullptr, 0);
    }
    WriteRecord();
    WriteDump(info);
    ::TerminateProcess(::GetCurrentProcess(), info->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

CrashHandler::CrashHandler(std::wstring recordKeyPath, std::wstring_view recordValue) {
    recordPath = std::move(recordKeyPath);
    const std::size_t nameLength = std::min(recordValue.size(), std::size(recordName) - 1);
    std::wmemcpy(recordName, recordValue.data(), nameLength);
    recordName[nameLength] = 0;
    wchar_t base[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH);
    if (length > 0 && length < MAX_PATH - 32) {
        ::wsprintfW(folder, L"%s\\Tuckaway\\crash", base);
    }
    mainThreadId = ::GetCurrentThreadId();
    HANDLE thread = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &thread,
                      THREAD_SUSPEND_RESUME, FALSE, 0);
    mainThread.reset(thread);
    previous_ = ::SetUnhandledExceptionFilter(&OnCrash);
}

CrashHandler::~CrashHandler() {
    ::SetUnhandledExceptionFilter(previous_);
    mainThread.reset();
}

void CrashHandler::Update(const os::CrashRescue& rescue) {
    plan.window.store(reinterpret_cast<HWND>(rescue.window.value));
    plan.maximized.store(rescue.maximized);
    plan.process.store(rescue.process.id);
    plan.started.store(rescue.process.started);
    plan.frozen.store(rescue.frozen);
    plan.priorityClass.store(rescue.priorityClass.value_or(0));
    plan.control.store(rescue.throttling.value_or(os::Throttling{}).control);
    plan.state.store(rescue.throttling.value_or(os::Throttling{}).state);
    plan.throttled.store(rescue.throttling.has_value());
    plan.storedMode.store(rescue.storedMode);

    // The record is there by now, written just before: its key is opened once.
    if (!recordKey && !rescue.recordAfter.empty()) {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, recordPath.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            recordKey.reset(key);
        }
    }
    const int next = 1 - currentRecord.load();
    const int chars = rescue.recordAfter.empty()
                          ? 0
                          : ::MultiByteToWideChar(CP_UTF8, 0, rescue.recordAfter.data(),
                                                  static_cast<int>(rescue.recordAfter.size()), records[next],
                                                  static_cast<int>(kRecordChars - 1));
    records[next][chars] = 0;
    // A record too long for the buffer is not written at all: the next start then gives back all of it.
    recordBytes[next].store(chars > 0 ? static_cast<DWORD>((chars + 1) * sizeof(wchar_t)) : 0);
    currentRecord.store(next);
}

} // namespace tuckaway::win32
