// Looks at and pokes the Wine desktop for the end-to-end tests. Every command
// prints tab-separated UTF-8 lines; the exit status says whether it worked.
//
//   probe windows                       hwnd, visible, rect, class, title of each top-level window
//   probe foreground                    hwnd and title of the foreground window
//   probe display                       screen width and height
//   probe regmode                       width and height of the display's stored default mode
//                                       (EnumDisplaySettings with ENUM_REGISTRY_SETTINGS)
//   probe boxes                         hwnd, title, text of each Static in each visible dialog box
//   probe click-box-button TITLE TEXT   presses a dialog box's button
//   probe focus HWND|TITLE              makes a window the foreground window
//   probe key COMBO                     types a key combination such as ctrl+shift+z
//   probe setmode W H [save]            changes the display mode (with save, also the mode
//                                       stored in the registry)
//   probe visible TITLE                 prints 1 or 0 (exit 0 / 1), or "missing" (exit 2)
//   probe hide TITLE                    hides a window
//   probe state TITLE                   prints hidden, minimized or shown (exit 2 and "missing"
//                                       when there is no such window)
//   probe control CLASS ID              hwnd, visible, enabled, screen rect, check state (0, 1 or -)
//                                       and text (WM_GETTEXT) of a control of the top-level window
//                                       of that class
//   probe focused                       hwnd, class and control id of the window with the keyboard
//                                       focus in the foreground window's thread
//   probe close HWND|TITLE              asks a window to close (WM_CLOSE, posted)
//   probe hotkey-storm N                N hot-key messages, ids 0 and 1 by turns (hide first), sent
//                                       to the hot-key dialog as the system posts them, each
//                                       handled before the next
//   probe menu-storm N                  N times: the tray's right click (the callback message the
//                                       shell sends the main window), then Esc once the menu shows;
//                                       prints how many menus opened and closed
//   probe send CLASS MSG WPARAM LPARAM  sends a message (numbers in C notation) to the first
//                                       top-level window of that class and prints the result
//   probe syscolor INDEX                a system colour (GetSysColor) as R,G,B
//   probe tips                          text (WM_GETTEXT) of each visible tooltip, such as the tray's
//   probe text HWND                     a window's text by WM_GETTEXT (a tooltip's: its tip)
//   probe tray-delete HWND ID           takes the tray icon of that window and id away (NIM_DELETE)
//   probe post-registered HWND NAME     posts the registered window message NAME to a window
//   probe priority HWND|TITLE           the priority class of the window's process, in hex
//   probe setpriority HWND|TITLE CLASS  sets it (CLASS in C notation)
#include "Utf8.h"

#include <windows.h>

#include <cstdio>

#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

// Keeps every record on one line and its fields apart.
std::string Field(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r') {
            continue;
        }
        if (c == L'\n') {
            out += L"\\n";
        } else if (c == L'\t') {
            out += L' ';
        } else {
            out += c;
        }
    }
    return Utf8(out);
}

void Print(const std::string& line) {
    const std::string withEnd = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), withEnd.data(), static_cast<DWORD>(withEnd.size()), &written,
              nullptr);
}

std::string Hex(HWND window) {
    char text[32];
    wsprintfA(text, "0x%lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> VisibleBoxes() {
    std::vector<HWND> boxes;
    for (HWND window : TopLevelWindows()) {
        if (IsWindowVisible(window) && ClassOf(window) == L"#32770") {
            boxes.push_back(window);
        }
    }
    return boxes;
}

HWND WindowFromArgument(const std::wstring& argument) {
    if (argument.rfind(L"0x", 0) == 0) {
        return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(argument.c_str(), nullptr, 16)));
    }
    return FindWindowW(nullptr, argument.c_str());
}

std::wstring WithoutAccelerator(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c != L'&') {
            out += static_cast<wchar_t>(std::towlower(c));
        }
    }
    return out;
}

std::string Bounds(const RECT& rect) {
    char bounds[64];
    wsprintfA(bounds, "%ld,%ld,%ld,%ld", rect.left, rect.top, rect.right, rect.bottom);
    return bounds;
}

int ListWindows() {
    for (HWND window : TopLevelWindows()) {
        RECT rect = {};
        GetWindowRect(window, &rect);
        Print(Hex(window) + "\t" + (IsWindowVisible(window) ? "1" : "0") + "\t" + Bounds(rect) + "\t" +
              Field(ClassOf(window)) + "\t" + Field(TextOf(window)));
    }
    return 0;
}

int ListBoxes() {
    for (HWND box : VisibleBoxes()) {
        bool any = false;
        for (HWND child : Children(box)) {
            const std::wstring text = TextOf(child);
            if (ClassOf(child) == L"Static" && !text.empty()) {
                Print(Hex(box) + "\t" + Field(TextOf(box)) + "\t" + Field(text));
                any = true;
            }
        }
        if (!any) {
            Print(Hex(box) + "\t" + Field(TextOf(box)) + "\t");
        }
    }
    return 0;
}

int ClickBoxButton(const std::wstring& title, const std::wstring& buttonText) {
    for (HWND box : VisibleBoxes()) {
        if (TextOf(box) != title) {
            continue;
        }
        for (HWND child : Children(box)) {
            if (ClassOf(child) == L"Button" &&
                WithoutAccelerator(TextOf(child)) == WithoutAccelerator(buttonText)) {
                // Posted, not sent: the box's owner may be busy, and the probe must not hang on it.
                const int id = GetDlgCtrlID(child);
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(child));
                Print("clicked\t" + Hex(box) + "\t" + std::to_string(id));
                return 0;
            }
        }
    }
    Print("missing");
    return 1;
}

WORD VirtualKeyOf(const std::wstring& name) {
    static const struct {
        const wchar_t* name;
        WORD key;
    } named[] = {{L"ctrl", VK_CONTROL},  {L"control", VK_CONTROL}, {L"shift", VK_SHIFT},
                 {L"alt", VK_MENU},      {L"win", VK_LWIN},        {L"esc", VK_ESCAPE},
                 {L"escape", VK_ESCAPE}, {L"enter", VK_RETURN},    {L"return", VK_RETURN},
                 {L"tab", VK_TAB},       {L"space", VK_SPACE}};
    for (const auto& entry : named) {
        if (name == entry.name) {
            return entry.key;
        }
    }
    if (name.size() == 1 && std::iswalnum(name[0])) {
        return static_cast<WORD>(std::towupper(name[0]));
    }
    if (name.size() >= 2 && name[0] == L'f' && std::iswdigit(name[1])) {
        const long number = std::wcstol(name.c_str() + 1, nullptr, 10);
        if (number >= 1 && number <= 24) {
            return static_cast<WORD>(VK_F1 + number - 1);
        }
    }
    if (name.rfind(L"0x", 0) == 0) {
        return static_cast<WORD>(std::wcstoul(name.c_str(), nullptr, 16));
    }
    return 0;
}

int PressKeys(const std::wstring& combo) {
    std::vector<WORD> keys;
    std::wstring lower = WithoutAccelerator(combo);
    size_t start = 0;
    while (start <= lower.size()) {
        const size_t end = std::min(lower.find(L'+', start), lower.size());
        const WORD key = VirtualKeyOf(lower.substr(start, end - start));
        if (key == 0) {
            Print("bad key");
            return 2;
        }
        keys.push_back(key);
        start = end + 1;
    }
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Print(sent == inputs.size() ? "sent" : "failed");
    return sent == inputs.size() ? 0 : 1;
}

int SetMode(int width, int height, bool save) {
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG result = ChangeDisplaySettingsW(&mode, save ? CDS_UPDATEREGISTRY : 0);
    Print(std::to_string(result));
    return result == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

// Another process's window: its text by WM_GETTEXT (an edit control's text is
// not its caption), with a time limit so a busy owner cannot hang the probe.
std::wstring TextBySending(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                             &copied)) {
        return {};
    }
    return text;
}

int ListTips() {
    for (HWND window : TopLevelWindows()) {
        if (IsWindowVisible(window) && ClassOf(window) == L"tooltips_class32") {
            Print(Field(TextBySending(window)));
        }
    }
    return 0;
}

int ShowControl(const std::wstring& className, int id) {
    HWND parent = FindWindowW(className.c_str(), nullptr);
    HWND control = parent != nullptr ? GetDlgItem(parent, id) : nullptr;
    if (control == nullptr) {
        Print("missing");
        return 2;
    }
    RECT rect = {};
    GetWindowRect(control, &rect);
    std::string checked = "-";
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    const bool checkable = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                           type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    if (ClassOf(control) == L"Button" && checkable) {
        DWORD_PTR state = 0;
        if (SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state)) {
            checked = state == BST_CHECKED ? "1" : "0";
        }
    }
    Print(Hex(control) + "\t" + (IsWindowVisible(control) ? "1" : "0") + "\t" +
          (IsWindowEnabled(control) ? "1" : "0") + "\t" + Bounds(rect) + "\t" + checked + "\t" +
          Field(TextBySending(control)));
    return 0;
}

HWND VisibleMenu() {
    for (HWND window : TopLevelWindows()) {
        if (IsWindowVisible(window) && ClassOf(window) == L"#32768") {
            return window;
        }
    }
    return nullptr;
}

// Polls every 5 ms for up to five seconds.
template <typename Condition> bool WaitFor(Condition condition) {
    for (int i = 0; i < 1000; ++i) {
        if (condition()) {
            return true;
        }
        Sleep(5);
    }
    return false;
}

int HotkeyStorm(int presses) {
    HWND target = FindWindowW(L"Tuckaway.Form1", nullptr);
    if (target == nullptr) {
        Print("missing");
        return 2;
    }
    for (int i = 0; i < presses; ++i) {
        // Ids 0 (hide) and 1 (restore); lParam as the system fills it: Control (+ Shift), Z.
        const WPARAM id = static_cast<WPARAM>(i % 2);
        const LPARAM keys = MAKELPARAM(id == 0 ? MOD_CONTROL : MOD_CONTROL | MOD_SHIFT, 'Z');
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(target, WM_HOTKEY, id, keys, SMTO_ABORTIFHUNG, 10000, &result)) {
            Print("stuck at press " + std::to_string(i + 1));
            return 1;
        }
    }
    Print("sent " + std::to_string(presses));
    return 0;
}

int MenuStorm(int menus) {
    HWND owner = FindWindowW(L"Tuckaway.Varer", nullptr);
    if (owner == nullptr) {
        Print("missing");
        return 2;
    }
    int shown = 0;
    for (int i = 0; i < menus; ++i) {
        PostMessageW(owner, WM_MOUSEMOVE, 0, WM_RBUTTONUP);
        if (!WaitFor([] { return VisibleMenu() != nullptr; })) {
            break;
        }
        // The menu's loop takes the keys of its thread's queue.
        PostMessageW(owner, WM_KEYDOWN, VK_ESCAPE, 0);
        if (!WaitFor([] { return VisibleMenu() == nullptr; })) {
            break;
        }
        ++shown;
    }
    Print("opened and closed " + std::to_string(shown));
    return shown == menus ? 0 : 1;
}

int Usage() {
    Print("usage: probe windows|foreground|display|regmode|hotkey-storm N|menu-storm N|send CLASS MSG WPARAM "
          "LPARAM|boxes|click-box-button TITLE TEXT|focus HWND|TITLE|"
          "key COMBO|setmode W H [save]|visible TITLE|hide TITLE|state TITLE|control CLASS ID|focused|close "
          "HWND|TITLE|syscolor INDEX|tips|text HWND|tray-delete HWND ID|post-registered HWND NAME");
    return 2;
}

} // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) {
        return Usage();
    }
    std::vector<std::wstring> args(argv + 1, argv + argc);
    LocalFree(argv);
    const std::wstring& command = args[0];

    if (command == L"windows" && args.size() == 1) {
        return ListWindows();
    }
    if (command == L"foreground" && args.size() == 1) {
        HWND window = GetForegroundWindow();
        Print(Hex(window) + "\t" + Field(window != nullptr ? TextOf(window) : L""));
        return 0;
    }
    if (command == L"display" && args.size() == 1) {
        Print(std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "\t" +
              std::to_string(GetSystemMetrics(SM_CYSCREEN)));
        return 0;
    }
    if (command == L"hotkey-storm" && args.size() == 2) {
        return HotkeyStorm(static_cast<int>(std::wcstol(args[1].c_str(), nullptr, 10)));
    }
    if (command == L"menu-storm" && args.size() == 2) {
        return MenuStorm(static_cast<int>(std::wcstol(args[1].c_str(), nullptr, 10)));
    }
    if (command == L"regmode" && args.size() == 1) {
        DEVMODEW mode = {};
        mode.dmSize = sizeof(mode);
        if (!EnumDisplaySettingsW(nullptr, ENUM_REGISTRY_SETTINGS, &mode)) {
            Print("none");
            return 1;
        }
        Print(std::to_string(mode.dmPelsWidth) + "\t" + std::to_string(mode.dmPelsHeight));
        return 0;
    }
    if (command == L"send" && args.size() == 5) {
        HWND window = FindWindowW(args[1].c_str(), nullptr);
        if (window == nullptr) {
            Print("missing");
            return 2;
        }
        const auto number = [](const std::wstring& text) { return std::wcstoull(text.c_str(), nullptr, 0); };
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window, static_cast<UINT>(number(args[2])),
                                 static_cast<WPARAM>(number(args[3])), static_cast<LPARAM>(number(args[4])),
                                 SMTO_ABORTIFHUNG, 10000, &result)) {
            Print("failed");
            return 1;
        }
        Print(std::to_string(result));
        return 0;
    }
    if (command == L"boxes" && args.size() == 1) {
        return ListBoxes();
    }
    if (command == L"click-box-button" && args.size() == 3) {
        return ClickBoxButton(args[1], args[2]);
    }
    if (command == L"focus" && args.size() == 2) {
        HWND window = WindowFromArgument(args[1]);
        if (window == nullptr || !IsWindow(window)) {
            Print("missing");
            return 2;
        }
        const bool done = SetForegroundWindow(window);
        Print(done ? "ok" : "failed");
        return done ? 0 : 1;
    }
    if (command == L"key" && args.size() == 2) {
        return PressKeys(args[1]);
    }
    if (command == L"setmode" && (args.size() == 3 || (args.size() == 4 && args[3] == L"save"))) {
        return SetMode(std::wcstol(args[1].c_str(), nullptr, 10), std::wcstol(args[2].c_str(), nullptr, 10),
                       args.size() == 4);
    }
    if ((command == L"visible" || command == L"hide") && args.size() == 2) {
        HWND window = FindWindowW(nullptr, args[1].c_str());
        if (window == nullptr) {
            Print("missing");
            return 2;
        }
        if (command == L"hide") {
            ShowWindow(window, SW_HIDE);
            Print("hidden");
            return 0;
        }
        const bool visible = IsWindowVisible(window);
        Print(visible ? "1" : "0");
        return visible ? 0 : 1;
    }
    if ((command == L"priority" && args.size() == 2) || (command == L"setpriority" && args.size() == 3)) {
        DWORD process = 0;
        if (HWND window = WindowFromArgument(args[1])) {
            GetWindowThreadProcessId(window, &process);
        }
        HANDLE handle =
            process != 0
                ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_SET_INFORMATION, FALSE, process)
                : nullptr;
        if (handle == nullptr) {
            Print("missing");
            return 2;
        }
        if (command == L"setpriority") {
            SetPriorityClass(handle, static_cast<DWORD>(std::wcstoul(args[2].c_str(), nullptr, 0)));
        }
        char text[16];
        std::snprintf(text, sizeof(text), "0x%lx", GetPriorityClass(handle));
        CloseHandle(handle);
        Print(text);
        return 0;
    }
    if (command == L"state" && args.size() == 2) {
        HWND window = FindWindowW(nullptr, args[1].c_str());
        if (window == nullptr) {
            Print("missing");
            return 2;
        }
        Print(!IsWindowVisible(window) ? "hidden" : IsIconic(window) ? "minimized" : "shown");
        return 0;
    }
    if (command == L"control" && args.size() == 3) {
        return ShowControl(args[1], static_cast<int>(std::wcstol(args[2].c_str(), nullptr, 10)));
    }
    if (command == L"focused" && args.size() == 1) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        HWND foreground = GetForegroundWindow();
        if (foreground == nullptr ||
            !GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) ||
            info.hwndFocus == nullptr) {
            Print("none");
            return 1;
        }
        Print(Hex(info.hwndFocus) + "\t" + Field(ClassOf(info.hwndFocus)) + "\t" +
              std::to_string(GetDlgCtrlID(info.hwndFocus)));
        return 0;
    }
    if (command == L"tips" && args.size() == 1) {
        return ListTips();
    }
    if (command == L"syscolor" && args.size() == 2) {
        const COLORREF colour = GetSysColor(static_cast<int>(std::wcstol(args[1].c_str(), nullptr, 10)));
        Print(std::to_string(GetRValue(colour)) + "," + std::to_string(GetGValue(colour)) + "," +
              std::to_string(GetBValue(colour)));
        return 0;
    }
    if (command == L"text" && args.size() == 2) {
        HWND window = WindowFromArgument(args[1]);
        if (window == nullptr || !IsWindow(window)) {
            Print("missing");
            return 2;
        }
        Print(Field(TextBySending(window)));
        return 0;
    }
    if (command == L"tray-delete" && args.size() == 3) {
        NOTIFYICONDATAW icon = {};
        icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
        icon.hWnd = WindowFromArgument(args[1]);
        icon.uID = static_cast<UINT>(std::wcstoul(args[2].c_str(), nullptr, 10));
        const bool deleted = Shell_NotifyIconW(NIM_DELETE, &icon);
        Print(deleted ? "deleted" : "failed");
        return deleted ? 0 : 1;
    }
    if (command == L"post-registered" && args.size() == 3) {
        HWND window = WindowFromArgument(args[1]);
        const UINT message = RegisterWindowMessageW(args[2].c_str());
        const bool posted = window != nullptr && message != 0 && PostMessageW(window, message, 0, 0);
        Print(posted ? "posted" : "failed");
        return posted ? 0 : 1;
    }
    if (command == L"close" && args.size() == 2) {
        HWND window = WindowFromArgument(args[1]);
        if (window == nullptr || !IsWindow(window)) {
            Print("missing");
            return 2;
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
        Print("posted");
        return 0;
    }
    return Usage();
}
