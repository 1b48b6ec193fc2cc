#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"

#include <functional>
#include <utility>
#include <vector>

namespace tuckaway::fake {

struct HotkeyRegistration {
    os::Window window;
    int id;
    unsigned modifiers;
    unsigned virtualKey;
};

// HotkeyRegistrar: the hot keys each window holds, and the window procedure put
// in place for the hot keys.
class FakeHotkeys : public virtual FakeLog, public os::HotkeyRegistrar {
public:
    static constexpr std::uintptr_t kPreviousProc = 0xABC0;

    // Combinations held by other programs, as (modifiers, key).
    std::vector<std::pair<unsigned, unsigned>> heldElsewhere;
    std::vector<HotkeyRegistration> registered;
    std::function<std::intptr_t(os::Window, unsigned, std::uintptr_t, std::intptr_t)> previousProc;
    // The procedure InstallHotkeyProc put in place: the test delivers messages through it.
    os::WindowProcedure* installedProc = nullptr;

    bool RegisterHotKey(os::Window window, int id, unsigned modifiers, unsigned virtualKey) override;
    void UnregisterHotKey(os::Window window, int id) override;
    std::uintptr_t InstallHotkeyProc(os::Window window, os::WindowProcedure& procedure) override;
    std::intptr_t CallPreviousProc(std::uintptr_t procedure, os::Window window, unsigned message,
                                   std::uintptr_t wParam, std::intptr_t lParam) override;
};

} // namespace tuckaway::fake
