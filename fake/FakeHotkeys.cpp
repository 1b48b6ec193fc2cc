#include "fake/FakeHotkeys.h"

#include <algorithm>
#include <string>

namespace tuckaway::fake {

bool FakeHotkeys::RegisterHotKey(os::Window window, int id, unsigned modifiers, unsigned virtualKey) {
    log.push_back("RegisterHotKey " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                  std::to_string(virtualKey));
    const auto combination = std::make_pair(modifiers, virtualKey);
    const bool taken = std::ranges::find(heldElsewhere, combination) != heldElsewhere.end() ||
                       std::ranges::any_of(registered, [&](const HotkeyRegistration& r) {
                           return r.modifiers == modifiers && r.virtualKey == virtualKey;
                       });
    if (taken) {
        return false;
    }
    // The same window and id again succeeds and takes the new combination.
    std::erase_if(registered, [&](const HotkeyRegistration& r) { return r.window == window && r.id == id; });
    registered.push_back({window, id, modifiers, virtualKey});
    return true;
}

void FakeHotkeys::UnregisterHotKey(os::Window window, int id) {
    log.push_back("UnregisterHotKey " + std::to_string(id));
    std::erase_if(registered, [&](const HotkeyRegistration& r) { return r.window == window && r.id == id; });
}

std::uintptr_t FakeHotkeys::InstallHotkeyProc(os::Window window, os::WindowProcedure& procedure) {
    log.push_back("InstallHotkeyProc " + std::to_string(window.value));
    installedProc = &procedure;
    return kPreviousProc;
}

std::intptr_t FakeHotkeys::CallPreviousProc(std::uintptr_t procedure, os::Window window, unsigned message,
                                            std::uintptr_t wParam, std::intptr_t lParam) {
    log.push_back("CallWindowProc " + std::to_string(procedure));
    return previousProc ? previousProc(window, message, wParam, lParam) : 0;
}

} // namespace tuckaway::fake
