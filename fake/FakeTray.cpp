#include "fake/FakeTray.h"

namespace tuckaway::fake {

bool FakeTray::Notify(Action action, const os::TrayIconRecord& record) {
    log.push_back("Tray " + std::to_string(static_cast<int>(action)));
    trayCalls.emplace_back(action, record);
    const auto key = std::make_pair(record.window.value, record.id);
    const bool held = trayIcons.contains(key);
    if (trayRefuses || held == (action == Action::Add)) {
        return false;
    }
    if (action == Action::Delete) {
        trayIcons.erase(key);
    } else {
        trayIcons[key] = record;
    }
    return true;
}

bool FakeTray::Warn(const os::TrayIconRecord&, std::string_view title, std::string_view text) {
    log.push_back("Warn " + std::string(text));
    warnings.push_back(std::string(title) + ": " + std::string(text));
    return true;
}

} // namespace tuckaway::fake
