// A stand-in for a game: one visible top-level window with an exact title,
// optionally switching the display mode at start the way a full-screen game does.
//
//   standin_game.exe TITLE [--mode WxH] [--keep-mode] [--sdl-modes] [--hidden] [--log FILE]
//                          [--exit-after SECONDS] [--minimize-when-deactivated MILLISECONDS]
//                          [--sound] [--muted] [--hang-for MILLISECONDS] [--class NAME]
//                          [--frames]
//
// --keep-mode leaves the display in the switched mode at exit, as a game that
// crashes would; --hidden never shows the window (it still exists and can be
// found); --minimize-when-deactivated minimises the window that long after it
// loses the activation, its thread free meanwhile, and logs "minimized".
//
// --sdl-modes keeps the timing of a full-screen game built on SDL 2 losing the
// focus: the first message that tells it so, a hide or the deactivation, keeps
// its thread busy. Under Wine a hide requested with ShowWindowAsync followed by
// another window's SetForegroundWindow comes first, and is held: about 40 ms on
// the stand-in puts the desktop's mode back ("left mode"), about 120 ms later
// it minimises the window ("minimized"), and about 20 ms after that it lets the
// hide through, the window visible all along. (A hide requested after the
// deactivation gets through during the mode change, where Wine takes the
// messages sent to the thread while it tells every window of the change.)
// It then logs "busy N ms: left mode at +N (taking N ms), minimized at +N,
// tick N", the tick being GetTickCount at the start (Wine's +timestamp uses
// the same clock). Shown again it does not set its mode again, as SDL does not.
//
// --sound plays silence through a stream of its own on the default render
// device (logging "sound started" or "sound failed 0x..."), --muted mutes that
// stream's session first, and the session's mute state is logged as "mute 0"
// or "mute 1" at the start and at every change.
//
// The registered message "Tuckaway stand-in hang" (probe post-registered)
// stops the window's thread taking its messages for --hang-for milliseconds
// (5000 unless given), logging "hanging" before and "answering" after, as a
// game loading a map does.
//
// --class gives the window another class than TuckawayStandinGame (the shell's
// folder windows' CabinetWClass, say).
//
// --frames runs a frame loop, as an engine does whether shown or not: each
// frame works about 6 ms and waits about 6 ms for messages (about half a
// core), and the number of frames so far is logged as "frames N" every
// quarter of a second.
//
// The log (also taken from TUCKAWAY_STANDIN_LOG) gets one line once the window
// exists, so a test can wait for it without guessing.
#include "Standin.h"
#include "Utf8.h"

#include <windows.h>

#include <audioclient.h>
#include <mmdeviceapi.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr UINT_PTR kExitTimer = 1;
constexpr UINT_PTR kMinimizeTimer = 2;
constexpr UINT_PTR kSoundTimer = 3;
UINT hangFor = 5000;
const UINT hangMessage = RegisterWindowMessageW(L"Tuckaway stand-in hang");
UINT minimizeDelay = 0;
std::wstring logPath;
bool sdlModes = false;
bool losingFocus = false;

// A shared-mode stream kept fed with silence, and its session's volume.
struct Sound {
    IAudioClient* client = nullptr;
    IAudioRenderClient* render = nullptr;
    ISimpleAudioVolume* volume = nullptr;
    UINT32 frames = 0;
    int lastMute = -1;
} sound;

std::string Hex(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

// Released at exit with the process; a stand-in needs no tidier end.
HRESULT StartSound(bool muted) {
    IMMDeviceEnumerator* devices = nullptr;
    IMMDevice* device = nullptr;
    WAVEFORMATEX* format = nullptr;
    HRESULT result = CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                      __uuidof(IMMDeviceEnumerator), reinterpret_cast<void**>(&devices));
    if (SUCCEEDED(result)) {
        result = devices->GetDefaultAudioEndpoint(eRender, eConsole, &device);
    }
    if (SUCCEEDED(result)) {
        result = device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr,
                                  reinterpret_cast<void**>(&sound.client));
    }
    if (SUCCEEDED(result)) {
        result = sound.client->GetMixFormat(&format);
    }
    if (SUCCEEDED(result)) {
        result = sound.client->Initialize(AUDCLNT_SHAREMODE_SHARED, 0, 10000000, 0, format, nullptr);
    }
    if (SUCCEEDED(result)) {
        result = sound.client->GetBufferSize(&sound.frames);
    }
    if (SUCCEEDED(result)) {
        result =
            sound.client->GetService(__uuidof(ISimpleAudioVolume), reinterpret_cast<void**>(&sound.volume));
    }
    if (SUCCEEDED(result) && muted) {
        result = sound.volume->SetMute(TRUE, nullptr);
    }
    if (SUCCEEDED(result)) {
        result =
            sound.client->GetService(__uuidof(IAudioRenderClient), reinterpret_cast<void**>(&sound.render));
    }
    if (SUCCEEDED(result)) {
        result = sound.client->Start();
    }
    return result;
}

// Keeps the stream fed, and says when its session's mute state changes.
void TendSound() {
    UINT32 padding = 0;
    BYTE* data = nullptr;
    if (SUCCEEDED(sound.client->GetCurrentPadding(&padding)) && padding < sound.frames &&
        SUCCEEDED(sound.render->GetBuffer(sound.frames - padding, &data))) {
        sound.render->ReleaseBuffer(sound.frames - padding, AUDCLNT_BUFFERFLAGS_SILENT);
    }
    BOOL muted = FALSE;
    if (SUCCEEDED(sound.volume->GetMute(&muted)) && static_cast<int>(muted != FALSE) != sound.lastMute) {
        sound.lastMute = muted != FALSE;
        AppendLog(logPath, sound.lastMute ? "mute 1" : "mute 0");
    }
}

// GetTickCount moves in steps of about 16 ms under Wine: too coarse for the timing below.
DWORD Milliseconds() {
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<DWORD>(count.QuadPart * 1000 / frequency.QuadPart);
}

// Runs inside the first message that tells the window it loses the focus, so
// whatever the system asked for after it waits until this returns.
void LoseFocusAsSdlDoes(HWND window) {
    if (losingFocus || !IsWindowVisible(window) || IsIconic(window)) {
        return;
    }
    losingFocus = true;
    const DWORD tick = GetTickCount();
    const DWORD start = Milliseconds();
    // Counted from the start: a mode change itself takes a while under Wine.
    const auto until = [start](DWORD milliseconds) {
        const DWORD spent = Milliseconds() - start;
        Sleep(spent < milliseconds ? milliseconds - spent : 0);
    };
    until(40);
    const DWORD asked = Milliseconds();
    ChangeDisplaySettingsW(nullptr, 0);
    const DWORD left = Milliseconds();
    AppendLog(logPath, "left mode");
    until(160);
    ShowWindow(window, SW_MINIMIZE);
    const DWORD minimized = Milliseconds();
    AppendLog(logPath, "minimized");
    until(180);
    char line[160];
    std::snprintf(line, sizeof(line),
                  "busy %lu ms: left mode at +%lu (taking %lu ms), minimized at +%lu, tick %lu",
                  Milliseconds() - start, asked - start, left - asked, minimized - start, tick);
    AppendLog(logPath, line);
    losingFocus = false;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kExitTimer) {
            DestroyWindow(window);
        } else if (wParam == kSoundTimer) {
            TendSound();
        } else if (wParam == kMinimizeTimer) {
            KillTimer(window, kMinimizeTimer);
            // Hidden or not, this shows the window again, minimised.
            ShowWindow(window, SW_MINIMIZE);
            AppendLog(logPath, "minimized");
        }
        return 0;
    case WM_SHOWWINDOW:
        if (sdlModes && !wParam) {
            LoseFocusAsSdlDoes(window);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && sdlModes) {
            LoseFocusAsSdlDoes(window);
        }
        if (LOWORD(wParam) == WA_INACTIVE && minimizeDelay > 0) {
            SetTimer(window, kMinimizeTimer, minimizeDelay, nullptr);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        if (message == hangMessage && hangMessage != 0) {
            AppendLog(logPath, "hanging");
            Sleep(hangFor);
            AppendLog(logPath, "answering");
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Work of about 6 ms, then messages for about 6 ms, until the window is gone.
void RunFrameLoop() {
    unsigned long long count = 0;
    DWORD logged = Milliseconds() - 250;
    for (;;) {
        const DWORD start = Milliseconds();
        volatile unsigned spin = 0;
        while (Milliseconds() - start < 6) {
            spin = spin + 1;
        }
        ++count;
        const DWORD now = Milliseconds();
        if (now - logged >= 250) {
            logged = now;
            AppendLog(logPath, "frames " + std::to_string(count));
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 6, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) {
        return 2;
    }
    std::wstring title = argv[1];
    wchar_t envLog[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"TUCKAWAY_STANDIN_LOG", envLog, MAX_PATH) > 0) {
        logPath = envLog;
    }
    int modeWidth = 0;
    int modeHeight = 0;
    UINT exitAfter = 0;
    std::wstring className = L"TuckawayStandinGame";
    bool keepMode = false;
    bool hidden = false;
    bool withSound = false;
    bool muted = false;
    bool frames = false;
    for (int i = 2; i < argc; i += 2) {
        const std::wstring option = argv[i];
        // Flags take no value.
        if (option == L"--keep-mode") {
            keepMode = true;
            --i;
            continue;
        }
        if (option == L"--hidden" || option == L"--sound" || option == L"--muted" ||
            option == L"--sdl-modes" || option == L"--frames") {
            (option == L"--hidden"   ? hidden
             : option == L"--sound"  ? withSound
             : option == L"--muted"  ? muted
             : option == L"--frames" ? frames
                                     : sdlModes) = true;
            --i;
            continue;
        }
        if (i + 1 >= argc) {
            return 2;
        }
        if (option == L"--mode") {
            if (swscanf(argv[i + 1], L"%dx%d", &modeWidth, &modeHeight) != 2) {
                return 2;
            }
        } else if (option == L"--log") {
            logPath = argv[i + 1];
        } else if (option == L"--exit-after") {
            exitAfter = static_cast<UINT>(wcstoul(argv[i + 1], nullptr, 10));
        } else if (option == L"--class") {
            className = argv[i + 1];
        } else if (option == L"--hang-for") {
            hangFor = static_cast<UINT>(wcstoul(argv[i + 1], nullptr, 10));
        } else if (option == L"--minimize-when-deactivated") {
            minimizeDelay = static_cast<UINT>(wcstoul(argv[i + 1], nullptr, 10));
        } else {
            return 2;
        }
    }
    LocalFree(argv);

    LONG modeResult = 0;
    if (modeWidth > 0) {
        DEVMODEW ownMode = {};
        ownMode.dmSize = sizeof(ownMode);
        ownMode.dmPelsWidth = static_cast<DWORD>(modeWidth);
        ownMode.dmPelsHeight = static_cast<DWORD>(modeHeight);
        ownMode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        modeResult = ChangeDisplaySettingsW(&ownMode, CDS_FULLSCREEN);
    }
    sdlModes = sdlModes && modeWidth > 0;

    HWND window = StandinWindow(instance, className.c_str(), title, WindowProc, 40, 40, 640, 480);
    if (window == nullptr) {
        return 1;
    }
    if (!hidden) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        SetForegroundWindow(window);
    }
    if (exitAfter > 0) {
        SetTimer(window, kExitTimer, exitAfter * 1000, nullptr);
    }

    char line[160];
    std::snprintf(line, sizeof(line), "started hwnd=0x%llx mode=%ld screen=%dx%d title=",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)), modeResult,
                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    AppendLog(logPath, line + Utf8(title));

    if (withSound) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const HRESULT result = StartSound(muted);
        AppendLog(logPath, SUCCEEDED(result) ? "sound started" : "sound failed " + Hex(result));
        if (SUCCEEDED(result)) {
            TendSound();
            SetTimer(window, kSoundTimer, 100, nullptr);
        }
    }

    if (frames) {
        RunFrameLoop();
    } else {
        RunMessageLoop();
    }
    if (modeWidth > 0 && !keepMode) {
        ChangeDisplaySettingsW(nullptr, 0);
    }
    return 0;
}
