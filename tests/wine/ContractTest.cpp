// The services contract against the real adapters.

#include "contract/ServicesContract.h"
#include "handles/Handles.h"
#include "windows/AudioSessions.h"
#include "windows/Gamma.h"
#include "windows/ProcessPriority.h"
#include "windows/Processes.h"
#include "windows/Services.h"
#include "windows/Suspension.h"
#include "windows/Text.h"
#include "windows/TrayIcon.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tuckaway::contract {
namespace {

class Win32World final : public World {
public:
    ~Win32World() override {
        if (child_) {
            ::TerminateProcess(child_.get(), 0);
            ::WaitForSingleObject(child_.get(), 5000);
        }
        ::RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + win32::Wide(application_)).c_str());
    }

    os::WindowManager& windows() override { return windows_; }
    os::HotkeyRegistrar& hotkeys() override { return hotkeys_; }
    os::Tray& tray() override { return tray_; }
    os::Window MakeWindow(std::string_view title) override { return Make(L"STATIC", title); }
    os::Window MakeFolderWindow(std::string_view title) override {
        // A class of this process's own by the name the shell's folder windows have.
        WNDCLASSW folder{};
        folder.lpfnWndProc = ::DefWindowProcW;
        folder.hInstance = ::GetModuleHandleW(nullptr);
        folder.lpszClassName = L"CabinetWClass";
        ::RegisterClassW(&folder);
        return Make(L"CabinetWClass", title);
    }
    void MinimizeWindow(os::Window window) override {
        ::ShowWindow(reinterpret_cast<HWND>(window.value), SW_MINIMIZE);
    }
    os::SettingsStore& settings() override { return settings_; }
    std::string application() override { return application_; }
    void StoreString(std::string_view name, std::string_view text) override {
        const std::wstring data = win32::Wide(text);
        Store(name, REG_SZ, data.c_str(), static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    }
    void StoreNumber(std::string_view name) override {
        const DWORD number = 1;
        Store(name, REG_DWORD, &number, sizeof number);
    }
    os::Processes& processes() override { return processes_; }
    os::AudioSessions& audio() override { return audio_; }
    os::Gamma& gamma() override { return gamma_; }
    os::ProcessPriority& priority() override { return priority_; }
    os::Suspension& suspension() override { return suspension_; }
    // Wine's own notepad, which waits for input until it is ended.
    os::ProcessId StartProcess() override {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
        wchar_t command[] = L"notepad.exe";
        PROCESS_INFORMATION started{};
        if (!::CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &started)) {
            return {};
        }
        child_.reset(started.hProcess);
        childThread_.reset(started.hThread);
        ::WaitForInputIdle(started.hProcess, 5000);
        return {started.dwProcessId, win32::StartOf(started.hProcess)};
    }
    int SuspendCountOf(os::ProcessId) override {
        // SuspendThread tells the count it found; ResumeThread puts it back.
        const DWORD count = ::SuspendThread(childThread_.get());
        ::ResumeThread(childThread_.get());
        return static_cast<int>(count);
    }

private:
    os::Window Make(const wchar_t* className, std::string_view title) {
        HWND window = ::CreateWindowExW(0, className, win32::Wide(title).c_str(), WS_POPUP, 0, 0, 10, 10,
                                        nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        windows_made_.emplace_back(window);
        return os::Window{reinterpret_cast<std::uintptr_t>(window)};
    }
    void Store(std::string_view name, DWORD type, const void* data, DWORD bytes) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, (L"Software\\" + win32::Wide(application_) + L"\\games").c_str(),
                          win32::Wide(name).c_str(), type, data, bytes);
    }

    const std::string application_ = "Tuckaway contract " + std::to_string(::GetCurrentProcessId());
    win32::RegistrySettings settings_;
    // The test's own windows stand in for other programs'.
    win32::Windows windows_{true};
    win32::Hotkeys hotkeys_;
    win32::Processes processes_;
    win32::DebugOutput debug_;
    win32::AudioSessions audio_{debug_};
    win32::Gamma gamma_;
    win32::ProcessPriority priority_;
    win32::Suspension suspension_;
    win32::UniqueKernelHandle child_;
    win32::UniqueKernelHandle childThread_;
    std::vector<win32::UniqueWindow> windows_made_;
    // Goes first: an icon it still holds goes while its window exists.
    win32::TrayIcon tray_;
};

INSTANTIATE_TEST_SUITE_P(Win32, ServicesContract,
                         ::testing::Values(WorldFactory([] { return std::make_unique<Win32World>(); })));

} // namespace
} // namespace tuckaway::contract
