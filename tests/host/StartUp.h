#pragma once

// Start-up as the program's message loop runs it: Form_Load, then an Idle
// event each time one was asked for, until start-up has finished.

#include "app/Tuckaway.h"
#include "fake/FakeSystem.h"

#include <utility>

namespace tuckaway {

// False for a second instance, as Form_Load.
inline bool StartUp(Tuckaway& app, fake::FakeSystem& fake) {
    if (!app.varer.Form_Load()) {
        return false;
    }
    while (std::exchange(fake.idleAsked, false)) {
        app.Idle();
    }
    return true;
}

} // namespace tuckaway
