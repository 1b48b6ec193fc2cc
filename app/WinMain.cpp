// The Windows entry point.

#include "os/win32/Application.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    tuckaway::win32::Application application(instance);
    return application.Run();
}
