#include "windows/HotkeyDialog.h"

#include "windows/CommonControls.h"
#include "windows/Text.h"
#include "windows/Window.h"

#include <windowsx.h>

namespace tuckaway::win32 {
namespace {

constexpr wchar_t kClass[] = L"Tuckaway.Form1";
constexpr COLORREF kPanelGrey = RGB(192, 192, 192);
constexpr COLORREF kLabelWhite = RGB(255, 255, 255);

constexpr wchar_t kInstructions[] =
    L"Click on a text field and then press the key combination you want.  The primary text fields will only "
    L"accept Control, Alt, and/or Shift and the secondary fields will accept characters from A - Z. Once "
    L"finished, click 'Okay!'!";

HotkeyDialogControl FieldControl(ui::HotkeyField field) {
    switch (field) {
    case ui::HotkeyField::Text1:
        return HotkeyDialogControl::Text1;
    case ui::HotkeyField::Text2:
        return HotkeyDialogControl::Text2;
    case ui::HotkeyField::Text3:
        return HotkeyDialogControl::Text3;
    case ui::HotkeyField::Text4:
        break;
    }
    return HotkeyDialogControl::Text4;
}

} // namespace

HotkeyDialog::HotkeyDialog(HINSTANCE instance, ui::Events& events, PictureLoader load)
    : SkinnedDialog(instance, kHotkeySkinResource, load), events_(events), font_(DialogFont()),
      panelBrush_(::CreateSolidBrush(kPanelGrey)) {
    registered_ = RegisterWindowClass(instance_, kClass, &Route<HotkeyDialog, &HotkeyDialog::Message>,
                                      static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

void HotkeyDialog::Create() {
    window_.reset(::CreateWindowExW(WS_EX_CONTROLPARENT, kClass, L"", WS_POPUP | WS_CLIPCHILDREN, 448, 505,
                                    573, 142, nullptr, nullptr, instance_, this));
}

HWND HotkeyDialog::Control(HotkeyDialogControl id) {
    CreateControls();
    return Find(id);
}

void HotkeyDialog::Show() {
    CreateControls();
    SkinnedDialog::Show();
}

void HotkeyDialog::CreateControls() {
    HWND dialog = window_.get();
    if (!dialog || Find(HotkeyDialogControl::Text5)) {
        return;
    }
    const CommonControls& controls = LoadCommonControls();
    // Created in tab order.
    struct Field {
        ui::HotkeyField field;
        int x, y, width;
    };
    constexpr Field kFields[] = {
        {ui::HotkeyField::Text1, 331, 40, 155},
        {ui::HotkeyField::Text3, 502, 40, 37},
        {ui::HotkeyField::Text2, 346, 64, 140},
        {ui::HotkeyField::Text4, 502, 64, 37},
    };
    for (const Field& field : kFields) {
        HWND edit = CreateChild(instance_, dialog, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, field.x,
                                field.y, field.width, 20, static_cast<int>(FieldControl(field.field)),
                                font_.get(), WS_EX_CLIENTEDGE);
        ::SetWindowTextW(edit, fieldTexts_[static_cast<std::size_t>(field.field) - 1].c_str());
        controls.setSubclass(edit, &HotkeyDialog::CaptureFieldProc, static_cast<UINT_PTR>(field.field),
                             reinterpret_cast<DWORD_PTR>(this));
    }
    CreateChild(instance_, dialog, L"BUTTON", L"Okay!", BS_PUSHBUTTON | WS_TABSTOP, 282, 96, 257, 16,
                static_cast<int>(HotkeyDialogControl::Command2), font_.get());
    CreateChild(instance_, dialog, L"EDIT", kInstructions,
                ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, 35, 40, 233, 72,
                static_cast<int>(HotkeyDialogControl::Text5), font_.get());
}

void HotkeyDialog::ShowField(ui::HotkeyField field, std::string_view text) {
    std::wstring& shown = fieldTexts_[static_cast<std::size_t>(field) - 1];
    shown = Wide(text);
    if (HWND control = Find(FieldControl(field))) {
        ::SetWindowTextW(control, shown.c_str());
    }
}

// The capture fields take key presses, not typing: every key, Alt included,
// goes to the dialog's handlers and no further.
LRESULT CALLBACK HotkeyDialog::CaptureFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                                UINT_PTR fieldNumber, DWORD_PTR self) {
    ui::Events& events = reinterpret_cast<HotkeyDialog*>(self)->events_;
    const auto which = static_cast<ui::HotkeyField>(fieldNumber);
    switch (message) {
    case WM_GETDLGCODE: {
        // Tab still moves on; every other key belongs to the field.
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        if (pending && pending->message == WM_KEYDOWN && pending->wParam == VK_TAB) {
            break;
        }
        return LoadCommonControls().defaultProc(field, message, wParam, lParam) | DLGC_WANTALLKEYS;
    }
    // A hide leaves the hidden dialog in front, and with it the keyboard: the
    // keys pressed then (the restore key, say) are meant for no field.
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (::IsWindowVisible(field)) {
            events.HotkeyFieldKeyDown(which, static_cast<unsigned>(wParam), ShiftState());
        }
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (::IsWindowVisible(field)) {
            events.HotkeyFieldKeyUp(which, static_cast<unsigned>(wParam), ShiftState());
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
        LoadCommonControls().removeSubclass(field, &HotkeyDialog::CaptureFieldProc, fieldNumber);
        break;
    default:
        break;
    }
    return LoadCommonControls().defaultProc(field, message, wParam, lParam);
}

void HotkeyDialog::PaintLabels(HWND window) {
    const Paint paint(window);
    const SelectedObject font(paint.dc(), font_.get());
    ::SetTextColor(paint.dc(), kLabelWhite);
    ::SetBkMode(paint.dc(), TRANSPARENT);
    for (const HotkeyLabel& label : kHotkeyLabels) {
        RECT box{label.x, label.y, label.x + label.width, label.y + label.height};
        ::DrawTextW(paint.dc(), label.text, -1, &box, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    }
}

LRESULT HotkeyDialog::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Forget(message);
    if (KeepFocus(message, wParam)) {
        return 0;
    }
    switch (message) {
    case WM_ERASEBKGND:
        skin_.Paint(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT:
        PaintLabels(window);
        return 0;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == Find(HotkeyDialogControl::Text5)) {
            ::SetBkColor(reinterpret_cast<HDC>(wParam), kPanelGrey);
            return reinterpret_cast<LRESULT>(panelBrush_.get());
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == static_cast<int>(HotkeyDialogControl::Command2) &&
            HIWORD(wParam) == BN_CLICKED) {
            events_.HotkeyDialogOkay();
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        events_.HotkeyDialogMouseMove(ButtonState(wParam), ShiftState(), GET_X_LPARAM(lParam),
                                      GET_Y_LPARAM(lParam));
        return 0;
    case WM_CLOSE:
        // No way out but a valid "Okay!": the hot keys must be settled first.
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tuckaway::win32
