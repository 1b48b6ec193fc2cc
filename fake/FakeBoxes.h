#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tuckaway::fake {

struct BoxShown {
    std::string text;
    std::string caption;
    os::BoxStyle style;
};

// MessageBoxes: every box shown, answered from `answers` in turn.
class FakeBoxes : public virtual FakeLog, public os::MessageBoxes {
public:
    std::vector<BoxShown> boxes;
    std::deque<os::BoxAnswer> answers; // default: Ok, or No for a Yes/No box
    std::function<void()> whileBoxOpen;

    os::BoxAnswer Show(std::string_view text, std::string_view caption, os::BoxStyle style) override;
};

} // namespace tuckaway::fake
