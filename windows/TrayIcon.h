#pragma once

// The program's notification-area icon, told to the shell in its wide record
// so that tips are Unicode. It remembers whether the shell holds the icon it
// added, and takes the icon away if the shell still holds it when it goes.

#include "ports/Os.h"

#include <windows.h>

#include <optional>
#include <utility>

namespace tuckaway::win32 {

class TrayIcon final : public os::Tray {
public:
    TrayIcon() = default;
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    bool Notify(Action action, const os::TrayIconRecord& record) override;
    bool Warn(const os::TrayIconRecord& record, std::string_view title, std::string_view text) override;

private:
    // The window and id of the icon the shell accepted, until it is deleted.
    std::optional<std::pair<HWND, UINT>> added_;
};

} // namespace tuckaway::win32
