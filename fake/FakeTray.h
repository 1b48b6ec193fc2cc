#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tuckaway::fake {

// Tray: every call, and the icons the shell shows by window and id. While
// trayRefuses is set the shell answers nothing (at logon before the taskbar).
class FakeTray : public virtual FakeLog, public os::Tray {
public:
    std::vector<std::pair<os::Tray::Action, os::TrayIconRecord>> trayCalls;
    std::map<std::pair<std::uintptr_t, std::uint32_t>, os::TrayIconRecord> trayIcons;
    bool trayRefuses = false;
    // Tray warnings, as "title: text".
    std::vector<std::string> warnings;

    bool Notify(Action action, const os::TrayIconRecord& record) override;
    bool Warn(const os::TrayIconRecord& record, std::string_view title, std::string_view text) override;
};

} // namespace tuckaway::fake
