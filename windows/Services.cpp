#include "windows/Services.h"

#include "windows/Text.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>

namespace tuckaway::win32 {
namespace {

std::wstring SettingsPath(std::string_view application, std::string_view section) {
    return L"Software\\" + Wide(application) + L"\\" + Wide(section);
}

// The window property that carries a replaced window's own procedure object:
// a window procedure gets no context of its own.
constexpr wchar_t kProcedureProperty[] = L"Tuckaway.WindowProcedure";

LRESULT CALLBACK HotkeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* procedure = static_cast<os::WindowProcedure*>(::GetPropW(window, kProcedureProperty));
    if (!procedure) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    const LRESULT result = static_cast<LRESULT>(
        (*procedure)(os::Window{reinterpret_cast<std::uintptr_t>(window)}, message,
                     static_cast<std::uintptr_t>(wParam), static_cast<std::intptr_t>(lParam)));
    if (message == WM_NCDESTROY) {
        ::RemovePropW(window, kProcedureProperty);
    }
    return result;
}

HWND Handle(os::Window window) {
    return reinterpret_cast<HWND>(window.value);
}

} // namespace

std::optional<std::string> RegistrySettings::Read(std::string_view application, std::string_view section,
                                                  std::string_view key) {
    const std::wstring path = SettingsPath(application, section);
    const std::wstring name = Wide(key);
    // The value may grow between the size query and the read: ask again until it fits.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD bytes = 0;
        LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                                        nullptr, &bytes);
        if (status != ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        status = ::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                                value.data(), &bytes);
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return std::nullopt;
        }
        // RegGetValue guarantees the terminator; the text ends at the first NUL.
        value.resize(wcsnlen(value.c_str(), value.size()));
        return Utf8(value);
    }
    return std::nullopt;
}

void RegistrySettings::Write(std::string_view application, std::string_view section, std::string_view key,
                             std::string_view value) {
    const std::wstring path = SettingsPath(application, section);
    const std::wstring name = Wide(key);
    const std::wstring text = Wide(value);
    // A hide writes its record before it asks the game to hide: the key stays
    // open, two calls fewer on the way. One removed meanwhile is opened again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        UniqueRegistryKey& open = openKeys_[path];
        if (!open) {
            HKEY raw = nullptr;
            if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &raw, nullptr) != ERROR_SUCCESS) {
                return;
            }
            open.reset(raw);
        }
        if (::RegSetValueExW(open.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS) {
            return;
        }
        open.reset();
    }
}

std::vector<os::StoredValue> RegistrySettings::Enumerate(std::string_view application,
                                                         std::string_view section) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, SettingsPath(application, section).c_str(), 0, KEY_QUERY_VALUE,
                        &raw) != ERROR_SUCCESS) {
        return {};
    }
    const UniqueRegistryKey settingsKey(raw);
    std::vector<os::StoredValue> values;
    std::wstring name;
    std::vector<BYTE> data;
    // A value may grow between measuring and reading: measure again, a few times.
    for (DWORD index = 0, attempts = 0; attempts < 4;) {
        DWORD longestName = 0;
        DWORD longestData = 0;
        if (::RegQueryInfoKeyW(settingsKey.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        name.assign(longestName + 1, L'\0');
        data.assign(longestData, 0);
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD bytes = static_cast<DWORD>(data.size());
        const LSTATUS status = ::RegEnumValueW(settingsKey.get(), index, name.data(), &nameLength, nullptr,
                                               &type, data.data(), &bytes);
        if (status == ERROR_MORE_DATA) {
            ++attempts;
            continue;
        }
        if (status != ERROR_SUCCESS) {
            break; // ERROR_NO_MORE_ITEMS at the end
        }
        name.resize(nameLength);
        os::StoredValue value{Utf8(name), std::nullopt};
        if (type == REG_SZ) {
            // Stored data need not end in a NUL nor fill whole characters: the
            // text is the whole characters up to the first NUL.
            std::wstring text(bytes / sizeof(wchar_t), L'\0');
            std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
            text.resize(wcsnlen(text.c_str(), text.size()));
            value.text = Utf8(text);
        }
        values.push_back(std::move(value));
        ++index;
        attempts = 0;
    }
    return values;
}

namespace {

// The shell's folder windows are titled after their folder, and the forks'
// default install folders are named like their games.
bool FolderWindow(HWND window) {
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wcscmp(name, L"CabinetWClass") == 0 || std::wcscmp(name, L"ExploreWClass") == 0;
}

struct Scan {
    std::vector<std::wstring> titles; // empty for a title that finds nothing
    std::vector<os::Window> found;
    std::size_t missing = 0;
    DWORD ownProcess = 0;
    bool ownWindowsMayBeGames = false;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    Scan& scan = *reinterpret_cast<Scan*>(data);
    // Titles of other programs' windows are read without a message to them.
    wchar_t text[512];
    const int length = ::GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    if (length <= 0) {
        return TRUE;
    }
    bool checked = false;
    bool game = false;
    for (std::size_t i = 0; i < scan.titles.size(); ++i) {
        const std::wstring& title = scan.titles[i];
        // The system's own rule for titles: whole, ignoring case.
        if (scan.found[i] || title.empty() ||
            ::CompareStringOrdinal(text, length, title.c_str(), static_cast<int>(title.size()), TRUE) !=
                CSTR_EQUAL) {
            continue;
        }
        if (!checked) {
            checked = true;
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            game = !FolderWindow(window) && (scan.ownWindowsMayBeGames || process != scan.ownProcess);
        }
        if (game) {
            scan.found[i] = os::Window{reinterpret_cast<std::uintptr_t>(window)};
            --scan.missing;
        }
    }
    return scan.missing > 0 ? TRUE : FALSE;
}

} // namespace

os::Window Windows::FindWindowByTitle(std::string_view title) {
    const std::string_view titles[] = {title};
    return FindWindows(titles).front();
}

std::vector<os::Window> Windows::FindWindows(std::span<const std::string_view> titles) {
    Scan scan;
    scan.ownProcess = ::GetCurrentProcessId();
    scan.ownWindowsMayBeGames = ownWindowsMayBeGames_;
    scan.found.resize(titles.size());
    for (const std::string_view title : titles) {
        // No game's title is blank: the blank stands for automatic detection.
        const bool blank = title.find_first_not_of(' ') == std::string_view::npos;
        scan.titles.push_back(blank ? std::wstring() : Wide(title));
        scan.missing += blank ? 0 : 1;
    }
    if (scan.missing > 0) {
        ::EnumWindows(&Visit, reinterpret_cast<LPARAM>(&scan));
    }
    return scan.found;
}

void Windows::ShowWindow(os::Window window, ShowCommand command) {
    // ShowWindow on another thread's window waits until that thread takes it.
    ::ShowWindowAsync(Handle(window), static_cast<int>(command));
}

void Windows::SetForegroundWindow(os::Window window) {
    ::SetForegroundWindow(Handle(window));
}

os::WindowManager::WindowState Windows::StateOf(os::Window window) {
    if (!::IsWindowVisible(Handle(window))) {
        return WindowState::Hidden;
    }
    return ::IsIconic(Handle(window)) ? WindowState::Minimized : WindowState::Shown;
}

bool Windows::IsMaximized(os::Window window) {
    return ::IsZoomed(Handle(window)) != FALSE;
}

bool Windows::IsHung(os::Window window) {
    return ::IsHungAppWindow(Handle(window)) != FALSE;
}

os::Window Windows::Foreground() {
    return os::Window{reinterpret_cast<std::uintptr_t>(::GetForegroundWindow())};
}

bool Windows::WaitUntilShown(os::Window window, unsigned milliseconds) {
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    while (!::IsWindowVisible(Handle(window))) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) {
            return false;
        }
        // Messages other programs send are answered meanwhile; nothing else is dispatched.
        ::MsgWaitForMultipleObjects(
            0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10)), QS_SENDMESSAGE);
        MSG message;
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    return true;
}

void Windows::PumpPendingMessages() {
    MSG message;
    // Keyboard and mouse input waits for the main loop: while a hidden dialog
    // is in front, the keys of the very combination being handled sit in the
    // queue, and dispatching them here would only delay the hide or restore.
    while (::PeekMessageW(&message, nullptr, 0, 0,
                          PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE | PM_QS_PAINT)) {
        if (message.message == WM_QUIT) {
            // Leave the quit for the main loop to see.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

Hotkeys::~Hotkeys() {
    for (const auto& [window, id] : registered_) {
        ::UnregisterHotKey(window, id);
    }
}

bool Hotkeys::RegisterHotKey(os::Window window, int id, unsigned modifiers, unsigned virtualKey) {
    if (!::RegisterHotKey(Handle(window), id, modifiers, virtualKey)) {
        return false;
    }
    registered_.emplace_back(Handle(window), id);
    return true;
}

void Hotkeys::UnregisterHotKey(os::Window window, int id) {
    ::UnregisterHotKey(Handle(window), id);
    std::erase(registered_, std::make_pair(Handle(window), id));
}

std::uintptr_t Hotkeys::InstallHotkeyProc(os::Window window, os::WindowProcedure& procedure) {
    ::SetPropW(Handle(window), kProcedureProperty, &procedure);
    return static_cast<std::uintptr_t>(
        ::SetWindowLongPtrW(Handle(window), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HotkeyWindowProc)));
}

std::intptr_t Hotkeys::CallPreviousProc(std::uintptr_t procedure, os::Window window, unsigned message,
                                        std::uintptr_t wParam, std::intptr_t lParam) {
    return static_cast<std::intptr_t>(::CallWindowProcW(reinterpret_cast<WNDPROC>(procedure), Handle(window),
                                                        message, static_cast<WPARAM>(wParam),
                                                        static_cast<LPARAM>(lParam)));
}

bool Display::EnumerateMode(std::uint32_t modeNumber, os::DisplayMode& mode) {
    enumerated_ = {};
    enumerated_.dmSize = sizeof enumerated_;
    if (!::EnumDisplaySettingsW(nullptr, modeNumber, &enumerated_)) {
        return false;
    }
    mode.fields = enumerated_.dmFields;
    mode.width = static_cast<std::int32_t>(enumerated_.dmPelsWidth);
    mode.height = static_cast<std::int32_t>(enumerated_.dmPelsHeight);
    mode.bitsPerPixel = enumerated_.dmBitsPerPel;
    mode.frequency = enumerated_.dmDisplayFrequency;
    return true;
}

namespace {

// A record of its own: a change request builds on the last enumeration's.
bool ReadMode(DWORD which, os::DisplayMode& mode) {
    DEVMODEW read{};
    read.dmSize = sizeof read;
    if (!::EnumDisplaySettingsW(nullptr, which, &read)) {
        return false;
    }
    mode = {read.dmFields, static_cast<std::int32_t>(read.dmPelsWidth),
            static_cast<std::int32_t>(read.dmPelsHeight), read.dmBitsPerPel, read.dmDisplayFrequency};
    return true;
}

} // namespace

bool Display::CurrentMode(os::DisplayMode& mode) {
    return ReadMode(ENUM_CURRENT_SETTINGS, mode);
}

bool Display::StoredMode(os::DisplayMode& mode) {
    return ReadMode(ENUM_REGISTRY_SETTINGS, mode);
}

std::int32_t Display::ChangeMode(const os::DisplayMode& mode, std::uint32_t flags) {
    DEVMODEW request = enumerated_;
    request.dmSize = sizeof request;
    request.dmFields = mode.fields;
    request.dmPelsWidth = static_cast<DWORD>(mode.width);
    request.dmPelsHeight = static_cast<DWORD>(mode.height);
    request.dmBitsPerPel = mode.bitsPerPixel;
    request.dmDisplayFrequency = mode.frequency;
    return ::ChangeDisplaySettingsW(&request, flags);
}

os::Size Display::CurrentSize() {
    return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

void Display::RequestRestart() {
    // A process needs the shutdown privilege enabled, not merely held, or the
    // restart request fails without a word.
    HANDLE rawToken = nullptr;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken)) {
        const UniqueKernelHandle token(rawToken);
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
            ::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
        }
    }
    ::ExitWindowsEx(EWX_REBOOT, 0);
}

os::BoxAnswer MessageBoxes::Show(std::string_view text, std::string_view caption, os::BoxStyle style) {
    return static_cast<os::BoxAnswer>(
        ::MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(), static_cast<UINT>(style)));
}

os::Icon Pictures::Logo(int pictureNumber) {
    UniqueIcon& logo = logos_[pictureNumber];
    if (!logo && pictureNumber > 0) {
        // The tray shows small icons, which grow with the display's scaling;
        // each logo holds an image of every size it takes, so none is scaled.
        logo.reset(static_cast<HICON>(
            ::LoadImageW(instance_, MAKEINTRESOURCEW(kLogoResourceBase + pictureNumber), IMAGE_ICON,
                         ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
    }
    return os::Icon{reinterpret_cast<std::uintptr_t>(logo.get())};
}

void DebugOutput::Log(std::string_view line) {
    ::OutputDebugStringW((Wide(line) + L"\n").c_str());
}

bool InstanceGuard::ClaimFirstInstance() {
    ::SetLastError(ERROR_SUCCESS);
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name_.c_str());
    const DWORD error = ::GetLastError();
    mutex_.reset(mutex);
    if (!mutex) {
        // Denied access means another instance made it; any other failure
        // tells nothing, and refusing to start would be worse than a second copy.
        return error != ERROR_ACCESS_DENIED;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        // Not ours to keep: the first instance owns it.
        mutex_.reset();
        return false;
    }
    return true;
}

} // namespace tuckaway::win32
