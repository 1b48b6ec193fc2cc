#pragma once

// The hot-key dialog. Its window receives both hot keys, so it exists, hidden
// most of the time, from start-up to exit.

#include "app/Ui.h"

#include <string>
#include <string_view>

namespace tuckaway {

class Program;

class Form1 {
public:
    explicit Form1(Program& program) : program_(program) {}

    // Creates the window hidden if it does not exist yet.
    void Load();

    const std::string& Text(HotkeyField field) const;
    void SetText(HotkeyField field, std::string_view text);

    // The dialog's own pair, set when its Okay button registers the hot keys.
    bool HideKeyRegistered = false;
    bool ShowKeyRegistered = false;

private:
    Program& program_;
    std::string texts_[4];
};

} // namespace tuckaway
