// The Windows entry point.

#include "exe/Application.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    tuckaway::win32::Application application(instance);
    return application.Run();
}
