// The floor of the show figures: the least a program that brings a hidden
// game back on a hot key must do. On Control+Shift+Z it finds the game's
// window by its title and restores it (SW_RESTORE, which also takes a game
// that minimised itself while hidden out of its minimised state), then puts
// it in front, where the player's keys and mouse reach it; nothing else.
// ShowWindow on another process's window returns once that window's thread
// has taken it, so the window is shown before it is put in front.
//
//   floor_show [TITLE]   the window's title (default "Quake 3: Arena")

#include "bench/Floor.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const wchar_t* title = commandLine && *commandLine ? commandLine : L"Quake 3: Arena";
    return tuckaway::bench::OnHotKey(instance, 1, MOD_CONTROL | MOD_SHIFT, 'Z', [title] {
        HWND game = ::FindWindowW(nullptr, title);
        ::ShowWindow(game, SW_RESTORE);
        ::SetForegroundWindow(game);
    });
}
