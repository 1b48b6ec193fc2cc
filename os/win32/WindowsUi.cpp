#include "os/win32/WindowsUi.h"

#include "app/Program.h"
#include "app/Transparency.h"
#include "os/win32/Text.h"
#include "shaping/Picture.h"
#include "shaping/cDIBSection.h"
#include "state/Catalogue.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <windowsx.h>

namespace tuckaway::win32 {
namespace {

constexpr wchar_t kMainWindowClass[] = L"Tuckaway.Varer";
constexpr wchar_t kMainDialogClass[] = L"Tuckaway.frmAbout";
constexpr wchar_t kHotkeyDialogClass[] = L"Tuckaway.Form1";

constexpr COLORREF kPanelGrey = RGB(192, 192, 192);
constexpr UINT_PTR kTimer1 = 1;
constexpr unsigned kFirstTick = 5;

// The labels of the hot-key dialog are drawn on its skin, as windowless text.
struct Label {
    const wchar_t* text;
    int x, y, width, height;
};
constexpr Label kHotkeyLabels[] = {
    {L"To Hide:", 283, 42, 41, 13},
    {L"+", 490, 42, 6, 13},
    {L"To Restore:", 283, 67, 56, 13},
    {L"+", 490, 66, 6, 13},
};
constexpr COLORREF kLabelWhite = RGB(255, 255, 255);

constexpr wchar_t kInstructions[] =
    L"Click on a text field and then press the key combination you want.  The primary text fields will only "
    L"accept Control, Alt, and/or Shift and the secondary fields will accept characters from A - Z. Once "
    L"finished, click 'Okay!'!";

template <LRESULT (WindowsUi::*Handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<WindowsUi*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return (self->*Handler)(window, message, wParam, lParam);
}

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HBRUSH background) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
    ::RegisterClassExW(&windowClass);
}

HFONT MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return ::CreateFontIndirectW(&metrics.lfMessageFont);
}

// The modifier keys held right now, as the dialogs' handlers expect them.
unsigned ShiftState() {
    unsigned shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) {
        shift |= kShiftMask;
    }
    if (::GetKeyState(VK_CONTROL) < 0) {
        shift |= kControlMask;
    }
    if (::GetKeyState(VK_MENU) < 0) {
        shift |= kAltMask;
    }
    return shift;
}

void PaintSkin(HDC target, HBITMAP skin) {
    BITMAP size{};
    if (!skin || !::GetObjectW(skin, sizeof size, &size)) {
        return;
    }
    const UniqueMemoryDc source(::CreateCompatibleDC(target));
    const HGDIOBJ previous = ::SelectObject(source.get(), skin);
    ::BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY);
    ::SelectObject(source.get(), previous);
}

unsigned ButtonState(WPARAM keys) {
    unsigned buttons = 0;
    if (keys & MK_LBUTTON) {
        buttons |= 1;
    }
    if (keys & MK_RBUTTON) {
        buttons |= 2;
    }
    if (keys & MK_MBUTTON) {
        buttons |= 4;
    }
    return buttons;
}

} // namespace

// The capture fields take key presses, not typing: every key, Alt included,
// goes to the dialog's handlers and no further.
LRESULT CALLBACK WindowsUi::CaptureFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR fieldNumber, DWORD_PTR self) {
    auto* ui = reinterpret_cast<WindowsUi*>(self);
    const auto which = static_cast<HotkeyField>(fieldNumber);
    switch (message) {
    case WM_GETDLGCODE: {
        // Tab still moves on; every other key belongs to the field.
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        if (pending && pending->message == WM_KEYDOWN && pending->wParam == VK_TAB) {
            break;
        }
        return ::DefSubclassProc(field, message, wParam, lParam) | DLGC_WANTALLKEYS;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (ui->program_) {
            ui->program_->form1.KeyDown(which, static_cast<unsigned>(wParam), ShiftState());
        }
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (ui->program_) {
            ui->program_->form1.KeyUp(which, static_cast<unsigned>(wParam), ShiftState());
        }
        return 0;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_CONTEXTMENU:
        return 0;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(field, &WindowsUi::CaptureFieldProc, fieldNumber);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(field, message, wParam, lParam);
}

WindowsUi::WindowsUi(HINSTANCE instance)
    : instance_(instance), font_(MessageFont()), greyBrush_(::CreateSolidBrush(kPanelGrey)),
      mainSkin_(shaping::LoadPictureResource(instance, kMainSkinResource)),
      hotkeySkin_(shaping::LoadPictureResource(instance, kHotkeySkinResource)) {
    // The check box is cut to its drawn pixels once: crisp, unsmoothed text
    // leaves no half-blended fringe around the caption.
    LOGFONTW checkFont{};
    ::GetObjectW(font_.get(), sizeof checkFont, &checkFont);
    checkFont.lfQuality = NONANTIALIASED_QUALITY;
    checkFont_.reset(::CreateFontIndirectW(&checkFont));
    if (mainSkin_) {
        skinBrush_.reset(::CreatePatternBrush(mainSkin_.get()));
    }
    RegisterWindowClass(instance_, kMainWindowClass, &Route<&WindowsUi::MainWindowMessage>,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RegisterWindowClass(instance_, kMainDialogClass, &Route<&WindowsUi::MainDialogMessage>,
                        static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    RegisterWindowClass(instance_, kHotkeyDialogClass, &Route<&WindowsUi::HotkeyDialogMessage>,
                        static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

WindowsUi::~WindowsUi() {
    for (HWND* window : {&hotkeyDialog_, &mainDialog_, &mainWindow_}) {
        if (*window) {
            ::DestroyWindow(*window);
            *window = nullptr;
        }
    }
}

void WindowsUi::CreateMainWindow() {
    // Never shown: it owns the tray icon and receives its events.
    mainWindow_ = ::CreateWindowExW(0, kMainWindowClass, L"Tuckaway", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance_, this);
    // The detection timer lives with the main window.
    ::SetTimer(mainWindow_, kTimer1, kFirstTick, nullptr);
}

int WindowsUi::RunMessageLoop() {
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Enter and Esc in a dialog reach its Okay button through the dialog manager.
        const bool handled = (mainDialog_ && ::IsDialogMessageW(mainDialog_, &message)) ||
                             (hotkeyDialog_ && ::IsDialogMessageW(hotkeyDialog_, &message));
        if (!handled) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

os::Window WindowsUi::MainWindow() {
    return os::Window{reinterpret_cast<std::uintptr_t>(mainWindow_)};
}

void WindowsUi::HideMainWindow() {
    ::ShowWindow(mainWindow_, SW_HIDE);
}

HWND& WindowsUi::DialogHandle(Dialog dialog) {
    return dialog == Dialog::Main ? mainDialog_ : hotkeyDialog_;
}

bool WindowsUi::DialogExists(Dialog dialog) {
    return ::IsWindow(DialogHandle(dialog)) != FALSE;
}

void WindowsUi::CreateDialogWindow(Dialog dialog) {
    if (dialog == Dialog::Main) {
        // No taskbar button; window text "v"; 299 x 452 client area at (453, 39).
        mainDialog_ = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kMainDialogClass, L"v",
                                        WS_POPUP, 453, 39, 299, 452, nullptr, nullptr, instance_, this);
        BuildMainDialog(mainDialog_);
    } else {
        hotkeyDialog_ =
            ::CreateWindowExW(WS_EX_CONTROLPARENT, kHotkeyDialogClass, L"", WS_POPUP | WS_CLIPCHILDREN, 448,
                              505, 573, 142, nullptr, nullptr, instance_, this);
        BuildHotkeyDialog(hotkeyDialog_);
    }
}

os::Window WindowsUi::DialogWindow(Dialog dialog) {
    return os::Window{reinterpret_cast<std::uintptr_t>(DialogHandle(dialog))};
}

void WindowsUi::ShowDialog(Dialog dialog) {
    ::ShowWindow(DialogHandle(dialog), SW_SHOW);
}

void WindowsUi::HideDialog(Dialog dialog) {
    ::ShowWindow(DialogHandle(dialog), SW_HIDE);
}

void WindowsUi::ShapeDialog(Dialog dialog) {
    HWND window = DialogHandle(dialog);
    shaping::Region& region = dialog == Dialog::Main ? mainRegion_ : hotkeyRegion_;
    HBITMAP skin = dialog == Dialog::Main ? mainSkin_.get() : hotkeySkin_.get();
    if (!skin) {
        return;
    }
    // Key 1: the outline's colour is taken from the skin itself.
    COLORREF key = shaping::kKeyFromPicture;
    region.ScanPicture(skin, key);
    region.OffsetHeader(window);
    region.ApplyRgn(window);
}

void WindowsUi::RestoreDialog(Dialog dialog) {
    if (::IsIconic(DialogHandle(dialog))) {
        ::ShowWindow(DialogHandle(dialog), SW_RESTORE);
    }
}

void WindowsUi::DestroyDialog(Dialog dialog) {
    if (HWND window = DialogHandle(dialog)) {
        ::DestroyWindow(window);
    }
}

void WindowsUi::DestroyMainWindow() {
    if (mainWindow_) {
        ::DestroyWindow(mainWindow_);
    }
}

void WindowsUi::Quit() {
    ::PostQuitMessage(0);
}

void WindowsUi::SetTimerInterval(unsigned milliseconds) {
    ::SetTimer(mainWindow_, kTimer1, milliseconds, nullptr);
}

std::optional<MenuItem> WindowsUi::TrackTrayMenu(bool showRestoreResolution) {
    const UniqueMenu menu(::CreatePopupMenu());
    const auto add = [&](MenuItem item, const wchar_t* caption) {
        ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(item) + 1, caption);
    };
    add(MenuItem::mPopAbout, L"&Main...");
    add(MenuItem::mPopRestore, L"&Settings...");
    if (showRestoreResolution) {
        add(MenuItem::mPopResoRestore, L"&Restore Resolution...");
    }
    add(MenuItem::mPopExit, L"&Exit");
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const int chosen = static_cast<int>(
        ::TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, cursor.x,
                         cursor.y, 0, mainWindow_, nullptr));
    // Without a message after it, a tray menu opened again may not close on a click elsewhere.
    ::PostMessageW(mainWindow_, WM_NULL, 0, 0);
    if (chosen == 0) {
        return std::nullopt;
    }
    return static_cast<MenuItem>(chosen - 1);
}

void WindowsUi::SetControlTransparent(bool transparent) {
    HWND control = ::GetDlgItem(mainDialog_, static_cast<int>(MainDialogControl::ScreenResCheck));
    if (!control) {
        return;
    }
    RECT client{};
    ::GetClientRect(control, &client);
    UniqueRegion region(::CreateRectRgn(0, 0, client.right, client.bottom));
    if (transparent) {
        // One copy of what the control shows, then whole runs cut per row:
        // reading pixel by pixel from a window DC is very slow on a composited desktop.
        const COLORREF key = ::GetSysColor(COLOR_BTNFACE);
        shaping::cDIBSection pixels;
        const WindowDc dc(control);
        if (dc.get() && pixels.Create(client.right, client.bottom)) {
            pixels.LoadPictureBlt(dc.get(), 0, 0, -1, -1, SRCCOPY);
            for (const shaping::Run& run : KeyColourRuns(pixels.DIBSectionBitsPtr(), pixels.Width(),
                                                         pixels.Height(), pixels.BytesPerScanLine(), key)) {
                const UniqueRegion cut(::CreateRectRgn(run.left, run.top, run.right, run.bottom));
                ::CombineRgn(region.get(), region.get(), cut.get(), RGN_XOR);
            }
        }
    }
    // The window owns the region once it has taken it.
    if (::SetWindowRgn(control, region.get(), TRUE)) {
        (void)region.release();
    }
    // From now on the control paints the skin behind its caption too. Where
    // the system honours the region that paint is never seen; where it does
    // not (child windows under Wine), the skin still shows instead of grey.
    checkBoxShowsSkin_ = transparent;
    RECT area = client;
    ::MapWindowPoints(control, mainDialog_, reinterpret_cast<POINT*>(&area), 2);
    ::RedrawWindow(mainDialog_, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void WindowsUi::DragDialog(Dialog dialog) {
    // The system then moves the window with the mouse as if its title bar were held.
    ::ReleaseCapture();
    ::SendMessageW(DialogHandle(dialog), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void WindowsUi::ShowHelpText(std::string_view text) {
    ::SetDlgItemTextW(mainDialog_, static_cast<int>(MainDialogControl::Text2), Wide(text).c_str());
}

void WindowsUi::ShowGameSelection(int entryIndex) {
    ::SendDlgItemMessageW(mainDialog_, static_cast<int>(MainDialogControl::Combo1), CB_SETCURSEL,
                          static_cast<WPARAM>(entryIndex), 0);
}

void WindowsUi::ShowGameListLocked(bool locked) {
    ::EnableWindow(::GetDlgItem(mainDialog_, static_cast<int>(MainDialogControl::Combo1)), !locked);
}

void WindowsUi::ShowScreenResCheck(int value) {
    ::CheckDlgButton(mainDialog_, static_cast<int>(MainDialogControl::ScreenResCheck),
                     value == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void WindowsUi::ShowHotkeyField(HotkeyField field, std::string_view text) {
    constexpr HotkeyDialogControl kIds[] = {HotkeyDialogControl::Text1, HotkeyDialogControl::Text2,
                                            HotkeyDialogControl::Text3, HotkeyDialogControl::Text4};
    ::SetDlgItemTextW(hotkeyDialog_, static_cast<int>(kIds[static_cast<int>(field) - 1]), Wide(text).c_str());
}

HWND WindowsUi::CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x,
                            int y, int width, int height, int id, DWORD exStyle) {
    HWND child =
        ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                          parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return child;
}

void WindowsUi::BuildMainDialog(HWND dialog) {
    CreateChild(dialog, L"EDIT", L"", ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL, 34, 136, 233,
                193, static_cast<int>(MainDialogControl::Text2));
    // The height of a drop-down list includes its open list.
    HWND combo = CreateChild(dialog, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 32, 340,
                             235, 21 + 200, static_cast<int>(MainDialogControl::Combo1));
    for (std::string_view entry : catalogue::ListEntries()) {
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
    }
    HWND check =
        CreateChild(dialog, L"BUTTON", L"Dynamic Screen Resolution Modifier", BS_AUTOCHECKBOX | WS_TABSTOP,
                    33, 368, 293, 17, static_cast<int>(MainDialogControl::ScreenResCheck));
    // A themed check box ignores its text colour; the caption must be white on the skin.
    ::SetWindowTheme(check, L"", L"");
    ::SendMessageW(check, WM_SETFONT, reinterpret_cast<WPARAM>(checkFont_.get()), FALSE);
    CreateChild(dialog, L"BUTTON", L"Okay!", BS_DEFPUSHBUTTON | WS_TABSTOP, 32, 400, 235, 17,
                static_cast<int>(MainDialogControl::cmdOK));
}

void WindowsUi::BuildHotkeyDialog(HWND dialog) {
    // Created in tab order.
    struct Field {
        HotkeyField field;
        HotkeyDialogControl id;
        int x, y, width;
    };
    constexpr Field kFields[] = {
        {HotkeyField::Text1, HotkeyDialogControl::Text1, 331, 40, 155},
        {HotkeyField::Text3, HotkeyDialogControl::Text3, 502, 40, 37},
        {HotkeyField::Text2, HotkeyDialogControl::Text2, 346, 64, 140},
        {HotkeyField::Text4, HotkeyDialogControl::Text4, 502, 64, 37},
    };
    for (const Field& field : kFields) {
        HWND edit = CreateChild(dialog, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, field.x, field.y,
                                field.width, 20, static_cast<int>(field.id), WS_EX_CLIENTEDGE);
        ::SetWindowSubclass(edit, &WindowsUi::CaptureFieldProc, static_cast<UINT_PTR>(field.field),
                            reinterpret_cast<DWORD_PTR>(this));
    }
    CreateChild(dialog, L"BUTTON", L"Okay!", BS_PUSHBUTTON | WS_TABSTOP, 282, 96, 257, 16,
                static_cast<int>(HotkeyDialogControl::Command2));
    CreateChild(dialog, L"EDIT", kInstructions, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, 35, 40,
                233, 72, static_cast<int>(HotkeyDialogControl::Text5));
}

LRESULT WindowsUi::MainWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (program_ && wParam == kTimer1) {
            program_->varer.Timer1_Timer();
        }
        return 0;
    case WM_MOUSEMOVE:
        // The tray icon's events: the mouse message over the icon is in the low word.
        if (program_) {
            program_->varer.Form_MouseMove(static_cast<std::intptr_t>(lParam));
        }
        return 0;
    case WM_SIZE:
        if (program_) {
            program_->varer.Form_Resize(wParam == SIZE_MINIMIZED);
        }
        return 0;
    case WM_CLOSE:
        // Asked to close from outside: leave as "&Exit" would, game and display included.
        if (program_) {
            program_->varer.mPopExit_Click();
            return 0;
        }
        break;
    case WM_ENDSESSION:
        if (program_ && wParam) {
            program_->varer.Form_Unload();
        }
        return 0;
    case WM_DESTROY:
        mainWindow_ = nullptr;
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT WindowsUi::MainDialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        if (!program_) {
            break;
        }
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id == static_cast<int>(MainDialogControl::Combo1) && code == CBN_SELCHANGE) {
            const auto index = ::SendMessageW(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0);
            if (index != CB_ERR) {
                program_->frmAbout.UserSelected(static_cast<int>(index));
            }
            return 0;
        }
        if (id == static_cast<int>(MainDialogControl::ScreenResCheck) && code == BN_CLICKED) {
            const bool checked =
                ::SendMessageW(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0) == BST_CHECKED;
            program_->frmAbout.SetScreenResCheck(checked ? 1 : 0);
            return 0;
        }
        if (id == IDOK || id == IDCANCEL) {
            program_->frmAbout.cmdOK_Click();
            return 0;
        }
        break;
    }
    case WM_ERASEBKGND:
        PaintSkin(reinterpret_cast<HDC>(wParam), mainSkin_.get());
        return 1;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == static_cast<int>(MainDialogControl::Text2)) {
            ::SetBkColor(dc, kPanelGrey);
            return reinterpret_cast<LRESULT>(greyBrush_.get());
        }
        // The check box paints the button face, which the first timer tick cuts away.
        ::SetTextColor(dc, kLabelWhite);
        if (checkBoxShowsSkin_ && skinBrush_) {
            // The skin, aligned with the dialog's own painting of it.
            POINT origin{0, 0};
            ::MapWindowPoints(reinterpret_cast<HWND>(lParam), window, &origin, 1);
            ::SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
            ::SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(skinBrush_.get());
        }
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_MOUSEMOVE:
        // The background is the drag handle; the controls lie above it.
        if (program_) {
            program_->frmAbout.Label1_MouseMove(ButtonState(wParam), ShiftState(), GET_X_LPARAM(lParam),
                                                GET_Y_LPARAM(lParam));
        }
        return 0;
    case WM_CLOSE:
        // Closing only hides it: the rest of the program reads its fields.
        if (program_) {
            program_->frmAbout.cmdOK_Click();
        }
        return 0;
    case WM_DESTROY:
        mainDialog_ = nullptr;
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT WindowsUi::HotkeyDialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        PaintSkin(reinterpret_cast<HDC>(wParam), hotkeySkin_.get());
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        const HGDIOBJ previous = ::SelectObject(dc, font_.get());
        ::SetTextColor(dc, kLabelWhite);
        ::SetBkMode(dc, TRANSPARENT);
        for (const Label& label : kHotkeyLabels) {
            RECT box{label.x, label.y, label.x + label.width, label.y + label.height};
            ::DrawTextW(dc, label.text, -1, &box, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
        }
        ::SelectObject(dc, previous);
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == static_cast<int>(HotkeyDialogControl::Text5)) {
            ::SetBkColor(dc, kPanelGrey);
            return reinterpret_cast<LRESULT>(greyBrush_.get());
        }
        break;
    }
    case WM_COMMAND:
        if (program_ && LOWORD(wParam) == static_cast<int>(HotkeyDialogControl::Command2) &&
            HIWORD(wParam) == BN_CLICKED) {
            program_->form1.Command2_Click();
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (program_) {
            program_->form1.Label5_MouseMove(ButtonState(wParam), ShiftState(), GET_X_LPARAM(lParam),
                                             GET_Y_LPARAM(lParam));
        }
        return 0;
    case WM_CLOSE:
        // No way out but a valid "Okay!": the hot keys must be settled first.
        return 0;
    case WM_DESTROY:
        hotkeyDialog_ = nullptr;
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tuckaway::win32
