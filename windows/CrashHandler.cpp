#include "windows/CrashHandler.h"

#include <dbghelp.h>

#include <atomic>
#include <cwchar>

namespace tuckaway::win32 {
namespace {

// What the filter acts on lives outside the heap, set beforehand: a crashed
// process may have a broken one.
std::atomic<HWND> hiddenGame{nullptr};
std::atomic<bool> desktopMode{false};
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
    // First what the user sees: the game back, the desktop's mode. Neither waits for anyone.
    if (const HWND game = hiddenGame.load()) {
        ::ShowWindowAsync(game, SW_SHOW);
    }
    if (desktopMode.load()) {
        ::ChangeDisplaySettingsW(nullptr, 0);
    }
    WriteDump(info);
    ::TerminateProcess(::GetCurrentProcess(), info->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

CrashHandler::CrashHandler() {
    wchar_t base[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH);
    if (length > 0 && length < MAX_PATH - 32) {
        ::wsprintfW(folder, L"%s\\Tuckaway\\crash", base);
    }
    previous_ = ::SetUnhandledExceptionFilter(&OnCrash);
}

CrashHandler::~CrashHandler() {
    ::SetUnhandledExceptionFilter(previous_);
}

void CrashHandler::Update(os::Window game, bool desktop) {
    hiddenGame.store(reinterpret_cast<HWND>(game.value));
    desktopMode.store(desktop);
}

} // namespace tuckaway::win32
