#include "windows/Services.h"
#include "windows/Text.h"
#include "windows/TrayIcon.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace tuckaway::win32 {
namespace {

// Each run works on a throw-away application key and removes it afterwards.
class RegistrySettingsTest : public ::testing::Test {
protected:
    void TearDown() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + Wide(application)).c_str());
    }
    const std::string application = "Tuckaway test " + std::to_string(::GetCurrentProcessId());
    RegistrySettings settings;
};

TEST_F(RegistrySettingsTest, WritesReadableRegSzValuesUnderTheApplicationAndSection) {
    EXPECT_FALSE(settings.Read(application, "program", "HideQ3Func"));
    settings.Write(application, "program", "HideQ3Func", "Control");
    settings.Write(application, "program", "currentgame", " ");
    settings.Write(application, "program", "empty", "");
    EXPECT_EQ(settings.Read(application, "program", "HideQ3Func"), "Control");
    EXPECT_EQ(settings.Read(application, "program", "currentgame"), " ");
    EXPECT_EQ(settings.Read(application, "program", "empty"), "");

    wchar_t raw[32] = {};
    DWORD type = 0;
    DWORD bytes = sizeof raw;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, (L"Software\\" + Wide(application) + L"\\program").c_str(),
                             L"HideQ3Func", RRF_RT_ANY, &type, raw, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(raw, L"Control");
}

TEST_F(RegistrySettingsTest, LongAndNonAsciiValuesSurviveTheRoundTrip) {
    const std::string title = "Jedi Knight\xC2\xAE: Jedi Academy";
    settings.Write(application, "program", "currentgame", title);
    EXPECT_EQ(settings.Read(application, "program", "currentgame"), title);

    std::string huge(200000, 'x');
    huge[123] = '\xC3';
    huge[124] = '\xA9';
    settings.Write(application, "program", "HideQ3Key", huge);
    EXPECT_EQ(settings.Read(application, "program", "HideQ3Key"), huge);
}

TEST_F(RegistrySettingsTest, AValueOfAnotherTypeReadsAsMissing) {
    settings.Write(application, "program", "DynaScreen", "1");
    const DWORD number = 1;
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, (L"Software\\" + Wide(application) + L"\\program").c_str(),
                                L"DynaScreen", REG_DWORD, &number, sizeof number),
              ERROR_SUCCESS);
    EXPECT_FALSE(settings.Read(application, "program", "DynaScreen"));
}

TEST_F(RegistrySettingsTest, EnumerationReadsStringsStoredWithoutTheirNulAndKeepsOtherTypesApart) {
    const std::wstring games = L"Software\\" + Wide(application) + L"\\games";
    const auto store = [&](const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, games.c_str(), name, type, data, bytes),
                  ERROR_SUCCESS);
    };
    // Made in sorted order, so that Windows and Wine list them alike.
    store(L"a no NUL", REG_SZ, L"ioquake3", 8 * sizeof(wchar_t));
    store(L"b odd size", REG_SZ, L"OpenArena", 9 * sizeof(wchar_t) + 1);
    store(L"c inner NUL", REG_SZ, L"Open\0Arena", 11 * sizeof(wchar_t));
    store(L"d expandable", REG_EXPAND_SZ, L"%GAME%", 7 * sizeof(wchar_t));
    store(L"e several", REG_MULTI_SZ, L"x\0y\0", 5 * sizeof(wchar_t));
    EXPECT_EQ(settings.Enumerate(application, "games"), (std::vector<os::StoredValue>{
                                                            {"a no NUL", "ioquake3"},
                                                            {"b odd size", "OpenArena"},
                                                            {"c inner NUL", "Open"},
                                                            {"d expandable", std::nullopt},
                                                            {"e several", std::nullopt},
                                                        }));
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
        return 42;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(const wchar_t* title) {
    static const ATOM windowClass = [] {
        WNDCLASSW description{};
        description.lpfnWndProc = &RecordingProc;
        description.hInstance = ::GetModuleHandleW(nullptr);
        description.lpszClassName = L"TuckawayTestWindow";
        return ::RegisterClassW(&description);
    }();
    return ::CreateWindowExW(0, MAKEINTATOM(windowClass), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                             200, 100, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

os::Window Wrap(HWND window) {
    return os::Window{reinterpret_cast<std::uintptr_t>(window)};
}

TEST(WindowsTest, HidesAndRestoresAWindow) {
    const UniqueWindow game(MakeWindow(L"Quake 3: Arena"));
    Windows windows;
    windows.ShowWindow(Wrap(game.get()), os::WindowManager::ShowCommand::Hide);
    EXPECT_FALSE(::IsWindowVisible(game.get()));
    windows.ShowWindow(Wrap(game.get()), os::WindowManager::ShowCommand::Restore);
    EXPECT_TRUE(::IsWindowVisible(game.get()));
}

TEST(WindowsTest, PumpDispatchesWhatIsQueuedAndKeepsAQuitForTheMainLoop) {
    const UniqueWindow window(MakeWindow(L"pump target"));
    ::PostMessageW(window.get(), WM_APP, 7, 0);
    ::PostQuitMessage(3);
    Windows().PumpPendingMessages();
    EXPECT_EQ(::GetWindowLongPtrW(window.get(), GWLP_USERDATA), 7);
    MSG message;
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

TEST(HotkeysTest, InstalledProcedureSeesEveryMessageAndCanHandOnToThePreviousOne) {
    Hotkeys hotkeys;
    struct Procedure final : os::WindowProcedure {
        explicit Procedure(Hotkeys& registrar) : hotkeys(registrar) {}
        std::intptr_t operator()(os::Window target, unsigned message, std::uintptr_t wParam,
                                 std::intptr_t lParam) override {
            seen.push_back(message);
            if (message == WM_HOTKEY) {
                return 1;
            }
            return hotkeys.CallPreviousProc(previous, target, message, wParam, lParam);
        }
        Hotkeys& hotkeys;
        std::uintptr_t previous = 0;
        std::vector<unsigned> seen;
    } procedure(hotkeys);
    // Made after the procedure, so it goes first: its last messages still reach a live procedure.
    const UniqueWindow window(MakeWindow(L"hot-key window"));
    procedure.previous = hotkeys.InstallHotkeyProc(Wrap(window.get()), procedure);
    EXPECT_EQ(procedure.previous, reinterpret_cast<std::uintptr_t>(&RecordingProc));
    const std::vector<unsigned>& seen = procedure.seen;

    EXPECT_EQ(::SendMessageW(window.get(), WM_HOTKEY, 1, 0), 1);
    EXPECT_EQ(::SendMessageW(window.get(), WM_APP, 9, 0), 42);
    EXPECT_EQ(::GetWindowLongPtrW(window.get(), GWLP_USERDATA), 9);
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<unsigned>(WM_HOTKEY)), seen.end());
}

TEST(TrayTest, TakesTheIconItAddedAwayWhenItGoes) {
    const UniqueWindow owner(MakeWindow(L"tray owner"));
    os::TrayIconRecord record;
    record.window = Wrap(owner.get());
    record.id = 1;
    record.flags = 7;
    record.callbackMessage = WM_MOUSEMOVE;
    record.icon = os::Icon{reinterpret_cast<std::uintptr_t>(::LoadIconW(nullptr, IDI_APPLICATION))};
    std::memset(record.tip, 'x', sizeof record.tip); // no terminator at all: must still be safe
    {
        TrayIcon tray;
        ASSERT_TRUE(tray.Notify(os::Tray::Action::Add, record));
    }
    TrayIcon other;
    EXPECT_FALSE(other.Notify(os::Tray::Action::Modify, record)) << "the icon is still there";
}

TEST(InstanceGuardTest, OnlyTheFirstClaimInTheSessionSucceedsWhileItIsHeld) {
    const std::wstring name = L"Local\\Tuckaway test " + std::to_wstring(::GetCurrentProcessId());
    auto first = std::make_unique<InstanceGuard>(name);
    ASSERT_TRUE(first->ClaimFirstInstance());
    InstanceGuard second(name);
    EXPECT_FALSE(second.ClaimFirstInstance());
    first.reset();
    InstanceGuard third(name);
    EXPECT_TRUE(third.ClaimFirstInstance());
}

} // namespace
} // namespace tuckaway::win32
