// The floor of the idle and memory figures: a program that does nothing but
// make the ten title lookups of automatic detection (the blank title, then
// every game of the catalogue) on a 150 ms timer. Like any tray program it
// has one hidden window, which the timer belongs to.

#include "bench/Floor.h"
#include "state/Catalogue.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::wstring Wide(std::string_view utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(
        CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    std::vector<std::wstring> titles{Wide(tuckaway::catalogue::kAutomaticTitle)};
    const tuckaway::catalogue::Catalogue catalogue;
    for (const auto& game : catalogue.ProbeOrder()) {
        titles.push_back(Wide(game.windowTitle));
    }
    HWND window = tuckaway::bench::FloorWindow(instance);
    ::SetTimer(window, 1, 150, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message != WM_TIMER) {
            ::DispatchMessageW(&message);
            continue;
        }
        for (const std::wstring& title : titles) {
            ::FindWindowW(nullptr, title.c_str());
        }
    }
    return 0;
}
