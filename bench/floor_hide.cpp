// The floor of the hide figures and of start-up's: the least a program that
// hides a game on a hot key must do. On Control+Z it finds the game's window
// by its title (the game may have been started again since the last press)
// and asks it to hide; nothing else. Like any tray program it has one hidden
// window, which the key is registered to.
//
//   floor_hide [TITLE]   the window's title (default "Quake 3: Arena")

#include "bench/Floor.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const wchar_t* title = commandLine && *commandLine ? commandLine : L"Quake 3: Arena";
    return tuckaway::bench::OnHotKey(instance, 0, MOD_CONTROL, 'Z',
                                     [title] { ::ShowWindow(::FindWindowW(nullptr, title), SW_HIDE); });
}
