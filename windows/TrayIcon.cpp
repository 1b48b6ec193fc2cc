#include "windows/TrayIcon.h"

#include "windows/Text.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace tuckaway::win32 {
namespace {

// The first form of the record: a tip of 64 characters, as the logic keeps it.
constexpr std::size_t kTipCharacters = 64;

NOTIFYICONDATAW Record(HWND window, UINT id) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window;
    data.uID = id;
    return data;
}

} // namespace

TrayIcon::~TrayIcon() {
    if (added_) {
        NOTIFYICONDATAW data = Record(added_->first, added_->second);
        ::Shell_NotifyIconW(NIM_DELETE, &data);
    }
}

bool TrayIcon::Notify(Action action, const os::TrayIconRecord& record) {
    NOTIFYICONDATAW data = Record(reinterpret_cast<HWND>(record.window.value), record.id);
    data.uFlags = record.flags;
    data.uCallbackMessage = record.callbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.icon.value);
    const std::wstring tip = Wide(std::string_view(record.tip, strnlen(record.tip, sizeof record.tip)));
    std::copy_n(tip.begin(), std::min(tip.size(), kTipCharacters - 1), data.szTip);
    const bool accepted = ::Shell_NotifyIconW(static_cast<DWORD>(action), &data) != FALSE;
    if (action == Action::Delete) {
        added_.reset();
    } else if (accepted) {
        added_.emplace(data.hWnd, data.uID);
    }
    return accepted;
}

bool TrayIcon::Warn(const os::TrayIconRecord& record, std::string_view title, std::string_view text) {
    // A balloon needs the record's later form; the icon stays as it is.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = reinterpret_cast<HWND>(record.window.value);
    data.uID = record.id;
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_WARNING;
    const std::wstring wideTitle = Wide(title);
    const std::wstring wideText = Wide(text);
    std::copy_n(wideTitle.begin(), std::min(wideTitle.size(), std::size(data.szInfoTitle) - 1),
                data.szInfoTitle);
    std::copy_n(wideText.begin(), std::min(wideText.size(), std::size(data.szInfo) - 1), data.szInfo);
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

} // namespace tuckaway::win32
