// The services contract against the real adapters.

#include "contract/ServicesContract.h"
#include "handles/Handles.h"
#include "windows/Services.h"
#include "windows/Text.h"
#include "windows/TrayIcon.h"

#include <windows.h>

#include <vector>

namespace tuckaway::contract {
namespace {

class Win32World final : public World {
public:
    os::WindowManager& windows() override { return windows_; }
    os::HotkeyRegistrar& hotkeys() override { return hotkeys_; }
    os::Tray& tray() override { return tray_; }
    os::Window MakeWindow(std::string_view title) override {
        HWND window = ::CreateWindowExW(0, L"STATIC", win32::Wide(title).c_str(), WS_POPUP, 0, 0, 10, 10,
                                        nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        windows_made_.emplace_back(window);
        return os::Window{reinterpret_cast<std::uintptr_t>(window)};
    }

private:
    win32::Windows windows_;
    win32::Hotkeys hotkeys_;
    std::vector<win32::UniqueWindow> windows_made_;
    // Goes first: an icon it still holds goes while its window exists.
    win32::TrayIcon tray_;
};

INSTANTIATE_TEST_SUITE_P(Win32, ServicesContract,
                         ::testing::Values(WorldFactory([] { return std::make_unique<Win32World>(); })));

} // namespace
} // namespace tuckaway::contract
