#include "app/Program.h"

namespace tuckaway {

Program::Program(const os::Services& services, Ui& ui_)
    : os(services), ui(ui_), settings(services.settings), varer(*this), frmAbout(*this), form1(*this) {}

} // namespace tuckaway
