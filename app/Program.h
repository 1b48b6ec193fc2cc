#pragma once

// Everything the program holds while it runs: the services it calls, its
// windows' state and handlers, and the hot-key procedure's saved state.

#include "app/Ui.h"
#include "app/Varer.h"
#include "dialogs/Form1.h"
#include "dialogs/FrmAbout.h"
#include "os/Services.h"
#include "state/Settings.h"

#include <cstdint>

namespace tuckaway {

inline constexpr std::string_view kAppTitle = "Tuckaway v1.0";

class Program {
public:
    Program(const os::Services& services, Ui& ui);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    os::Services os;
    Ui& ui;
    settings::Store settings;

    Varer varer;
    FrmAbout frmAbout;
    Form1 form1;

    // The hot-key dialog window's procedure before HotkeyProc replaced it.
    std::uintptr_t PrevWndProc = 0;
};

} // namespace tuckaway
