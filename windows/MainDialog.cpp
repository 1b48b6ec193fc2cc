#include "windows/MainDialog.h"

#include "shaping/Region.h"
#include "shaping/cDIBSection.h"
#include "windows/CommonControls.h"
#include "windows/Text.h"
#include "windows/Window.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace tuckaway::win32 {
namespace {

constexpr wchar_t kClass[] = L"Tuckaway.frmAbout";
constexpr COLORREF kPanelGrey = RGB(192, 192, 192);
constexpr COLORREF kCaptionWhite = RGB(255, 255, 255);
// Where the check box lies on the skin.
constexpr RECT kCheckBox{33, 368, 33 + 293, 368 + 17};

// A brush of the skin's strip behind the check box, whose top left is the
// check box's: a brush of the whole skin would hold a second copy of it.
UniqueBrush StripBrush(HBITMAP skin) {
    BITMAP size{};
    if (!skin || !::GetObjectW(skin, sizeof size, &size)) {
        return {};
    }
    const int width = std::min<int>(kCheckBox.right, size.bmWidth) - kCheckBox.left;
    const int height = std::min<int>(kCheckBox.bottom, size.bmHeight) - kCheckBox.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    const WindowDc screen(nullptr);
    const UniqueMemoryDc source(::CreateCompatibleDC(screen.get()));
    const UniqueMemoryDc target(::CreateCompatibleDC(screen.get()));
    const UniqueBitmap strip(::CreateCompatibleBitmap(screen.get(), width, height));
    {
        const SelectedObject from(source.get(), skin);
        const SelectedObject to(target.get(), strip.get());
        ::BitBlt(target.get(), 0, 0, width, height, source.get(), kCheckBox.left, kCheckBox.top, SRCCOPY);
    }
    // The brush keeps a copy of its own.
    return UniqueBrush(::CreatePatternBrush(strip.get()));
}

} // namespace

MainDialog::MainDialog(HINSTANCE instance, ui::Events& events, PictureLoader load)
    : SkinnedDialog(instance, kMainSkinResource, load), events_(events), font_(DialogFont()),
      panelBrush_(::CreateSolidBrush(kPanelGrey)) {
    LOGFONTW check{};
    ::GetObjectW(font_.get(), sizeof check, &check);
    check.lfQuality = NONANTIALIASED_QUALITY;
    checkFont_.reset(::CreateFontIndirectW(&check));
    skinBrush_ = StripBrush(skin_.bitmap());
    registered_ = RegisterWindowClass(instance_, kClass, &Route<MainDialog, &MainDialog::Message>,
                                      static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

void MainDialog::Create() {
    LoadCommonControls();
    // No taskbar button; window text "v"; 299 x 452 client area at (453, 39).
    window_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kClass, L"v", WS_POPUP, 453, 39,
                                    299, 452, nullptr, nullptr, instance_, this));
    HWND dialog = window_.get();
    const auto child = [&](const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                           int width, int height, MainDialogControl id) {
        return CreateChild(instance_, dialog, className, text, style, x, y, width, height,
                           static_cast<int>(id), font_.get());
    };
    child(L"EDIT", L"", ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL, 34, 136, 233, 193,
          MainDialogControl::Text2);
    // The height of a drop-down list includes its open list.
    child(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 32, 340, 235, 21 + 200,
          MainDialogControl::Combo1);
    HWND check = child(L"BUTTON", L"Dynamic Screen Resolution Modifier", BS_AUTOCHECKBOX | WS_TABSTOP,
                       kCheckBox.left, kCheckBox.top, kCheckBox.right - kCheckBox.left,
                       kCheckBox.bottom - kCheckBox.top, MainDialogControl::ScreenResCheck);
    // A themed check box ignores its text colour; the caption must be white on the skin.
    RemoveTheme(check);
    ::SendMessageW(check, WM_SETFONT, reinterpret_cast<WPARAM>(checkFont_.get()), FALSE);
    child(L"BUTTON", L"Okay!", BS_DEFPUSHBUTTON | WS_TABSTOP, 32, 400, 235, 17, MainDialogControl::cmdOK);
}

void MainDialog::ShowHelpText(std::string_view text) {
    ::SetWindowTextW(Control(MainDialogControl::Text2), Wide(text).c_str());
}

void MainDialog::ShowGameList(std::span<const std::string_view> entries) {
    HWND combo = Control(MainDialogControl::Combo1);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    std::vector<std::wstring> texts;
    for (std::string_view entry : entries) {
        texts.push_back(Wide(entry));
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts.back().c_str()));
    }
    // The drop-down button grows with the display's scaling, the list does not:
    // the chosen entry shows, a pixel in from each side, in what is left.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (::GetComboBoxInfo(combo, &info)) {
        listFont_ = DialogFontFitting(texts, info.rcItem.right - info.rcItem.left - 2);
        ::SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), TRUE);
    }
}

void MainDialog::ShowGameSelection(int entryIndex) {
    ::SendMessageW(Control(MainDialogControl::Combo1), CB_SETCURSEL, static_cast<WPARAM>(entryIndex), 0);
}

void MainDialog::ShowGameListLocked(bool locked) {
    ::EnableWindow(Control(MainDialogControl::Combo1), !locked);
}

void MainDialog::ShowScreenResCheck(int value) {
    ::SendMessageW(Control(MainDialogControl::ScreenResCheck), BM_SETCHECK,
                   value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainDialog::SetControlTransparent(bool transparent) {
    HWND control = Control(MainDialogControl::ScreenResCheck);
    if (!control) {
        return;
    }
    RECT client{};
    ::GetClientRect(control, &client);
    UniqueRegion region;
    if (transparent) {
        // One copy of what the control shows, then whole runs of the pixels
        // that are not the button face: reading pixel by pixel from a window
        // DC is very slow on a composited desktop.
        shaping::cDIBSection pixels;
        const WindowDc dc(control);
        if (dc.get() && pixels.Create(client.right, client.bottom) &&
            pixels.LoadPictureBlt(dc.get(), 0, 0, -1, -1, SRCCOPY)) {
            region = shaping::RegionFromRuns(shaping::ScanRuns(pixels.DIBSectionBitsPtr(), pixels.Width(),
                                                               pixels.Height(), pixels.BytesPerScanLine(),
                                                               ::GetSysColor(COLOR_BTNFACE)));
        }
    }
    if (!region) {
        // Nothing could be read: the control keeps its whole rectangle.
        region.reset(::CreateRectRgn(0, 0, client.right, client.bottom));
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
    ::MapWindowPoints(control, window_.get(), reinterpret_cast<POINT*>(&area), 2);
    ::RedrawWindow(window_.get(), &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT MainDialog::ControlColour(HWND window, HDC dc, HWND control) {
    if (control == Control(MainDialogControl::Text2)) {
        ::SetBkColor(dc, kPanelGrey);
        return reinterpret_cast<LRESULT>(panelBrush_.get());
    }
    // The check box paints the button face, which the first timer tick cuts away.
    ::SetTextColor(dc, kCaptionWhite);
    if (checkBoxShowsSkin_ && skinBrush_) {
        // The skin's strip, aligned with the dialog's own painting of the skin.
        POINT origin{0, 0};
        ::MapWindowPoints(control, window, &origin, 1);
        ::SetBrushOrgEx(dc, kCheckBox.left - origin.x, kCheckBox.top - origin.y, nullptr);
        ::SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(skinBrush_.get());
    }
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT MainDialog::DrawCheckBox(const NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage != CDDS_PREPAINT) {
        // The background first, from ControlColour, as the control paints it.
        return CDRF_DODEFAULT;
    }
    // The glyph is as many pixels as the skin's strip was drawn for, at any
    // scaling; the system's grows with it and would be cut off.
    constexpr int kGlyph = 13;
    constexpr int kGap = 4;
    HWND check = draw.hdr.hwndFrom;
    const RECT& client = draw.rc;
    const int top = client.top + (client.bottom - client.top - kGlyph) / 2;
    RECT glyph{client.left, top, client.left + kGlyph, top + kGlyph};
    UINT state = DFCS_BUTTONCHECK;
    if (::SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        state |= DFCS_CHECKED;
    }
    if (draw.uItemState & CDIS_SELECTED) {
        state |= DFCS_PUSHED;
    }
    ::DrawFrameControl(draw.hdc, &glyph, DFC_BUTTON, state);

    wchar_t caption[64] = {};
    ::GetWindowTextW(check, caption, 64);
    RECT text{glyph.right + kGap, client.top, client.right, client.bottom};
    const SelectedObject font(draw.hdc, checkFont_.get());
    ::SetTextColor(draw.hdc, kCaptionWhite);
    ::SetBkMode(draw.hdc, TRANSPARENT);
    ::DrawTextW(draw.hdc, caption, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (draw.uItemState & CDIS_FOCUS) {
        ::DrawTextW(draw.hdc, caption, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_CALCRECT);
        text.top = client.top + 1;
        text.bottom = client.bottom - 1;
        ::InflateRect(&text, 1, 0);
        ::DrawFocusRect(draw.hdc, &text);
    }
    return CDRF_SKIPDEFAULT;
}

LRESULT MainDialog::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Forget(message);
    if (KeepFocus(message, wParam)) {
        return 0;
    }
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id == static_cast<int>(MainDialogControl::Combo1) && code == CBN_SELCHANGE) {
            const auto index = ::SendMessageW(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0);
            if (index != CB_ERR) {
                events_.GameChosen(static_cast<int>(index));
            }
            return 0;
        }
        if (id == static_cast<int>(MainDialogControl::ScreenResCheck) && code == BN_CLICKED) {
            events_.ScreenResCheckClicked(::SendMessageW(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0) ==
                                          BST_CHECKED);
            return 0;
        }
        if (id == IDOK || id == IDCANCEL) {
            events_.MainDialogOkay();
            return 0;
        }
        break;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == NM_CUSTOMDRAW &&
            header->idFrom == static_cast<UINT_PTR>(MainDialogControl::ScreenResCheck)) {
            return DrawCheckBox(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam));
        }
        break;
    }
    case WM_ERASEBKGND:
        skin_.Paint(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_CTLCOLORSTATIC:
        return ControlColour(window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_MOUSEMOVE:
        // The background is the drag handle; the controls lie above it.
        events_.MainDialogMouseMove(ButtonState(wParam), ShiftState(), GET_X_LPARAM(lParam),
                                    GET_Y_LPARAM(lParam));
        return 0;
    case WM_CLOSE:
        // Closing only hides it: the rest of the program reads its fields.
        events_.MainDialogOkay();
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tuckaway::win32
