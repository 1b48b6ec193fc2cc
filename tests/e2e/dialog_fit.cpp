// The program assembled as its entry point assembles it, started, and then
// measured at the display's scaling: everything its two dialogs show must fit.
// Every caption, label, field text, list entry and button text is measured
// with the font of the control that shows it and must fit inside the control;
// every control must lie inside its panel on the skin; the check box must
// draw inside its own strip. The tray logos must come at the small-icon size,
// from an image of exactly that size in their icons (crisp, not scaled).
//
//   dialog_fit.exe DPI   the dots per inch the run must see (any other is a failure)
//
// One line per failure, then "N checks, N failed"; exit 1 if any failed.
#include "exe/Application.h"
#include "state/Catalogue.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tuckaway;
using namespace tuckaway::win32;

int checks = 0;
int failures = 0;

void Check(bool ok, const std::string& what) {
    ++checks;
    if (!ok) {
        ++failures;
        std::printf("does not fit: %s\n", what.c_str());
    }
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += c < 128 ? static_cast<char>(c) : '?';
    }
    return out;
}

std::string Box(const RECT& r) {
    char text[64];
    std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
    return text;
}

// As the message loop does, with an Idle event whenever nothing is waiting:
// the rest of start-up runs in them.
void Pump(tuckaway::Tuckaway& logic, DWORD milliseconds) {
    const DWORD end = ::GetTickCount() + milliseconds;
    while (::GetTickCount() < end) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        logic.Idle();
        ::Sleep(5);
    }
}

HFONT FontOf(HWND control) {
    return reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
}

SIZE Extent(HFONT font, const std::wstring& text) {
    const WindowDc dc(nullptr);
    const SelectedObject selected(dc.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

LONG LineHeight(HFONT font) {
    const WindowDc dc(nullptr);
    const SelectedObject selected(dc.get(), font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight;
}

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The control's rectangle in its dialog's client coordinates, which are the skin's.
RECT InDialog(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

void InPanel(HWND control, const char* name, const RECT& panel) {
    const RECT rect = InDialog(control);
    Check(Inside(rect, panel), std::string(name) + " at " + Box(rect) + " leaves its panel " + Box(panel));
}

// A single-line text inside a rectangle of the control's own.
void TextFits(const char* name, const std::wstring& text, HFONT font, LONG width, LONG height) {
    const SIZE size = Extent(font, text);
    Check(size.cx <= width && size.cy <= height,
          std::string(name) + " '" + Narrow(text) + "' needs " + std::to_string(size.cx) + "x" +
              std::to_string(size.cy) + ", has " + std::to_string(width) + "x" + std::to_string(height));
}

// A read-only multi-line text shows all its lines without scrolling.
void AllLinesShow(const char* name, HWND edit) {
    RECT format{};
    ::SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int length = ::GetWindowTextLengthW(edit);
    const LRESULT last = ::SendMessageW(edit, EM_POSFROMCHAR, static_cast<WPARAM>(length - 1), 0);
    const LONG bottom = static_cast<short>(HIWORD(last)) + LineHeight(FontOf(edit));
    Check(length > 0 && bottom <= format.bottom,
          std::string(name) + ": its " + std::to_string(::SendMessageW(edit, EM_GETLINECOUNT, 0, 0)) +
              " lines end at " + std::to_string(bottom) + ", the box at " + std::to_string(format.bottom));
}

// An edit field's text between its margins.
void FieldFits(const char* name, HWND edit, const std::wstring& text) {
    RECT client{};
    ::GetClientRect(edit, &client);
    const LRESULT margins = ::SendMessageW(edit, EM_GETMARGINS, 0, 0);
    TextFits(name, text, FontOf(edit), client.right - LOWORD(margins) - HIWORD(margins), client.bottom);
}

// A push button's caption inside its frame (two pixels of edge on every side).
void ButtonFits(const char* name, HWND button) {
    RECT client{};
    ::GetClientRect(button, &client);
    TextFits(name, TextOf(button), FontOf(button), client.right - 6, client.bottom - 2);
}

// Everything the check box draws (on the plain button face) lies inside its
// strip, clear of its window's top and bottom, where a cut-off glyph or
// caption would show. The window reaches past the dialog's right edge; only
// the part on the dialog is looked at.
void CheckBoxDrawsInside(Application& application, const RECT& strip) {
    WindowsUi& ui = application.ui();
    HWND check = ui.mainDialog().Control(MainDialogControl::ScreenResCheck);
    ui.SetControlTransparent(false);
    ::RedrawWindow(check, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const RECT at = InDialog(check);
    RECT dialog{};
    ::GetClientRect(::GetParent(check), &dialog);
    RECT client{};
    ::GetClientRect(check, &client);
    const LONG width = std::min<LONG>(client.right, dialog.right - at.left);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    RECT drawn{width, client.bottom, -1, -1};
    {
        const WindowDc dc(check);
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < width; ++x) {
                if (::GetPixel(dc.get(), x, y) != face) {
                    drawn = {std::min<LONG>(drawn.left, x), std::min<LONG>(drawn.top, y),
                             std::max<LONG>(drawn.right, x + 1), std::max<LONG>(drawn.bottom, y + 1)};
                }
            }
        }
    }
    ui.SetControlTransparent(true);
    const RECT onSkin{at.left + drawn.left, at.top + drawn.top, at.left + drawn.right, at.top + drawn.bottom};
    Check(drawn.right > drawn.left, "the check box draws nothing");
    Check(drawn.top > 0 && drawn.bottom < client.bottom,
          "the check box draws " + Box(drawn) + " from edge to edge of its " + std::to_string(client.bottom) +
              "-pixel height: something is cut off");
    Check(Inside(onSkin, strip), "the check box draws " + Box(onSkin) + " outside its strip " + Box(strip));
}

void MainDialogFits(Application& application) {
    MainDialog& dialog = application.ui().mainDialog();
    // Panels drawn on the skin (resources/art/make-skins.sh), in its pixels.
    InPanel(dialog.Control(MainDialogControl::Text2), "the help text", {28, 130, 273, 335});
    InPanel(dialog.Control(MainDialogControl::Combo1), "the game list", {28, 336, 273, 367});
    InPanel(dialog.Control(MainDialogControl::cmdOK), "Okay!", {26, 394, 275, 424});
    AllLinesShow("the help text", dialog.Control(MainDialogControl::Text2));

    HWND list = dialog.Control(MainDialogControl::Combo1);
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    ::GetComboBoxInfo(list, &combo);
    const LRESULT count = ::SendMessageW(list, CB_GETCOUNT, 0, 0);
    Check(count == static_cast<LRESULT>(application.logic().program.catalogue.ListEntries().size()),
          "the game list is not filled");
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<std::size_t>(::SendMessageW(list, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        entry.resize(static_cast<std::size_t>(
            ::SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        // The chosen entry shows a pixel in from each side of the item's box.
        TextFits("the game list's entry", entry, FontOf(list), combo.rcItem.right - combo.rcItem.left - 2,
                 combo.rcItem.bottom - combo.rcItem.top);
    }
    ButtonFits("Okay!", dialog.Control(MainDialogControl::cmdOK));
    // Between the two lines painted above and below it.
    CheckBoxDrawsInside(application, {24, 367, 275, 388});
}

void HotkeyDialogFits(Application& application) {
    HotkeyDialog& dialog = application.ui().hotkeyDialog();
    const RECT left{27, 34, 273, 120};
    const RECT right{278, 34, 551, 120};
    InPanel(dialog.Control(HotkeyDialogControl::Text5), "the instructions", left);
    AllLinesShow("the instructions", dialog.Control(HotkeyDialogControl::Text5));
    // The widest texts each field can show.
    const struct {
        HotkeyDialogControl id;
        const char* name;
        const wchar_t* widest;
    } fields[] = {
        {HotkeyDialogControl::Text1, "the hide modifiers", L"Control+Alt+Shift"},
        {HotkeyDialogControl::Text3, "the hide key", L"None"},
        {HotkeyDialogControl::Text2, "the restore modifiers", L"Control+Alt+Shift"},
        {HotkeyDialogControl::Text4, "the restore key", L"W"},
    };
    for (const auto& field : fields) {
        InPanel(dialog.Control(field.id), field.name, right);
        FieldFits(field.name, dialog.Control(field.id), field.widest);
    }
    InPanel(dialog.Control(HotkeyDialogControl::Command2), "Okay!", right);
    ButtonFits("Okay!", dialog.Control(HotkeyDialogControl::Command2));
    for (const HotkeyLabel& label : kHotkeyLabels) {
        TextFits("the label", label.text, dialog.Font(), label.width, label.height);
    }
}

// The logo icons hold an image of exactly the small-icon size, and the tray gets that size.
void LogosFit(Application& application, HINSTANCE instance) {
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    for (int picture = 1; picture <= 20; ++picture) {
        const std::string name = "Picture" + std::to_string(picture);
        HRSRC group = ::FindResourceW(instance, MAKEINTRESOURCEW(kLogoResourceBase + picture), RT_GROUP_ICON);
        const auto* directory =
            group ? static_cast<BYTE*>(::LockResource(::LoadResource(instance, group))) : nullptr;
        const int id = directory ? ::LookupIconIdFromDirectoryEx(const_cast<BYTE*>(directory), TRUE, size,
                                                                 size, LR_DEFAULTCOLOR)
                                 : 0;
        HRSRC image = id ? ::FindResourceW(instance, MAKEINTRESOURCEW(id), RT_ICON) : nullptr;
        const auto* header =
            image ? static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(instance, image)))
                  : nullptr;
        Check(header && header->biWidth == size,
              name + " has no " + std::to_string(size) +
                  "-pixel image (closest: " + std::to_string(header ? header->biWidth : 0) + ")");

        const auto icon =
            reinterpret_cast<HICON>(application.logic().program.os.pictures.Logo(picture).value);
        ICONINFO info{};
        BITMAP colour{};
        if (icon && ::GetIconInfo(icon, &info)) {
            const UniqueBitmap mask(info.hbmMask);
            const UniqueBitmap colours(info.hbmColor);
            ::GetObjectW(info.hbmColor, sizeof colour, &colour);
        }
        Check(colour.bmWidth == size && colour.bmHeight == size,
              name + " comes to the tray at " + std::to_string(colour.bmWidth) + "x" +
                  std::to_string(colour.bmHeight) + ", not " + std::to_string(size) + "x" +
                  std::to_string(size));
    }
}

UINT ScreenDpi() {
    const WindowDc screen(nullptr);
    return static_cast<UINT>(::GetDeviceCaps(screen.get(), LOGPIXELSY));
}

} // namespace

int main(int argc, char** argv) {
    const UINT expected = argc == 2 ? static_cast<UINT>(std::atoi(argv[1])) : 0;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    Application application(instance);
    if (application.ui().StartupFault() != WindowsUi::Fault::None || !application.logic().varer.Form_Load()) {
        std::printf("the program did not start\n");
        return 1;
    }
    Pump(application.logic(), 500);
    std::printf("dpi %u, small icons %d\n", ScreenDpi(), ::GetSystemMetrics(SM_CXSMICON));
    Check(ScreenDpi() == expected,
          "the run sees " + std::to_string(ScreenDpi()) + " dpi, not " + std::to_string(expected));
    MainDialogFits(application);
    HotkeyDialogFits(application);
    LogosFit(application, instance);
    application.logic().varer.Form_Unload();
    std::printf("%d checks, %d failed\n", checks, failures);
    return failures == 0 ? 0 : 1;
}
