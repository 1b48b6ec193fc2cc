#include "windows/Window.h"

#include "ports/Ui.h"

#include <algorithm>

namespace tuckaway::win32 {

bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HBRUSH background) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
    // The small one from the resource too: left out, the system scales the
    // large one down for every class, a few milliseconds each under Wine.
    windowClass.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                          ::GetSystemMetrics(SM_CXSMICON),
                                                          ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return ::RegisterClassExW(&windowClass) != 0;
}

HWND CreateChild(HINSTANCE instance, HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                 int x, int y, int width, int height, int id, HFONT font, DWORD exStyle) {
    HWND child =
        ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                          parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

namespace {

// 8 points at 96 dots per inch, the size the dialogs' controls were drawn for.
constexpr LONG kDialogFontPixels = 11;
// Smaller than this no text is worth reading.
constexpr LONG kSmallestFontPixels = 8;

UniqueFont DialogFontOf(LONG pixelHeight) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = -pixelHeight;
    font.lfWidth = 0;
    return UniqueFont(::CreateFontIndirectW(&font));
}

} // namespace

UniqueFont DialogFont() {
    return DialogFontOf(kDialogFontPixels);
}

UniqueFont DialogFontFitting(std::span<const std::wstring> texts, LONG width) {
    const WindowDc screen(nullptr);
    for (LONG pixels = kDialogFontPixels;; --pixels) {
        UniqueFont font = DialogFontOf(pixels);
        const SelectedObject selected(screen.get(), font.get());
        const bool fits = std::ranges::all_of(texts, [&](const std::wstring& text) {
            SIZE size{};
            ::GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
            return size.cx <= width;
        });
        if (fits || pixels == kSmallestFontPixels) {
            return font;
        }
    }
}

unsigned ShiftState() {
    unsigned shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) {
        shift |= ui::kShiftMask;
    }
    if (::GetKeyState(VK_CONTROL) < 0) {
        shift |= ui::kControlMask;
    }
    if (::GetKeyState(VK_MENU) < 0) {
        shift |= ui::kAltMask;
    }
    return shift;
}

unsigned ButtonState(WPARAM keys) {
    unsigned buttons = 0;
    if (keys & MK_LBUTTON) {
        buttons |= ui::kLeftButton;
    }
    if (keys & MK_RBUTTON) {
        buttons |= 2;
    }
    if (keys & MK_MBUTTON) {
        buttons |= 4;
    }
    return buttons;
}

} // namespace tuckaway::win32
