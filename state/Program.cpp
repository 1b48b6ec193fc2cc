#include "state/Program.h"

namespace tuckaway {

std::string_view FrmAboutFields::SelectedText() const {
    const auto entries = catalogue.ListEntries();
    if (!Combo1 || *Combo1 < 0 || static_cast<std::size_t>(*Combo1) >= entries.size()) {
        return {};
    }
    return entries[static_cast<std::size_t>(*Combo1)];
}

} // namespace tuckaway
