// Tuckaway as its entry point builds it, plus one hidden window of class
// "Tuckaway.Counts" that tells how many GDI and USER objects the process
// holds, for the scenario that storms the program and checks that it ends
// with what it started with. Under Wine GetGuiResources reports 0, so the
// objects are counted where Wine keeps them:
//
//   WM_APP      the GDI objects: live entries of the process's GDI handle
//               table, which Wine maps, as Windows does, at PEB->GdiSharedHandleTable
//   WM_APP + 1  the USER objects: the windows, menus and icons whose handles
//               answer as such in this process (Wine numbers them 0x20, 0x22, ...
//               and takes a handle without its generation in the high word)
#include "exe/Application.h"

#include <windows.h>

#include <winternl.h>

#include <cstdint>

namespace {

// Wine's layout of one entry, the same in 32- and 64-bit processes.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint32_t type;
    std::uint64_t userData;
};
constexpr int kGdiHandles = 0x10000;
constexpr int kUserHandles = 0x8000;

LRESULT GdiObjects() {
#ifdef _WIN64
    constexpr std::size_t kTableOffset = 0xF8;
#else
    constexpr std::size_t kTableOffset = 0x94;
#endif
    PROCESS_BASIC_INFORMATION process{};
    if (NtQueryInformationProcess(::GetCurrentProcess(), ProcessBasicInformation, &process, sizeof process,
                                  nullptr) != 0) {
        return -1;
    }
    const auto* peb = reinterpret_cast<const BYTE*>(process.PebBaseAddress);
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kTableOffset);
    if (!table) {
        return -1;
    }
    LRESULT count = 0;
    for (int i = 0; i < kGdiHandles; ++i) {
        // A deleted object keeps its type; its object pointer goes.
        count += table[i].object != 0 ? 1 : 0;
    }
    return count;
}

LRESULT UserObjects() {
    const DWORD self = ::GetCurrentProcessId();
    LRESULT count = 0;
    for (int i = 0; i < kUserHandles; ++i) {
        const auto handle = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(0x20 + 2 * i));
        DWORD process = 0;
        if (::IsWindow(static_cast<HWND>(handle))) {
            ::GetWindowThreadProcessId(static_cast<HWND>(handle), &process);
            count += process == self ? 1 : 0;
        } else if (::IsMenu(static_cast<HMENU>(handle))) {
            ++count;
        } else {
            ICONINFO icon{};
            if (::GetIconInfo(static_cast<HICON>(handle), &icon)) {
                // Copies made for the caller: given back at once.
                const tuckaway::win32::UniqueBitmap mask(icon.hbmMask);
                const tuckaway::win32::UniqueBitmap colour(icon.hbmColor);
                ++count;
            }
        }
    }
    return count;
}

LRESULT CALLBACK CountsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        return GdiObjects();
    }
    if (message == WM_APP + 1) {
        return UserObjects();
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW counts{};
    counts.lpfnWndProc = &CountsProc;
    counts.hInstance = instance;
    counts.lpszClassName = L"Tuckaway.Counts";
    ::RegisterClassW(&counts);
    const tuckaway::win32::UniqueWindow window(::CreateWindowExW(0, counts.lpszClassName, L"", WS_POPUP, 0, 0,
                                                                 0, 0, nullptr, nullptr, instance, nullptr));
    tuckaway::win32::Application application(instance);
    return application.Run();
}
