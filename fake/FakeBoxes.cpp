#include "fake/FakeBoxes.h"

namespace tuckaway::fake {

os::BoxAnswer FakeBoxes::Show(std::string_view text, std::string_view caption, os::BoxStyle style) {
    log.push_back("MessageBox " + std::string(text));
    boxes.push_back({std::string(text), std::string(caption), style});
    if (whileBoxOpen) {
        whileBoxOpen();
    }
    if (!answers.empty()) {
        const os::BoxAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return style == os::BoxStyle::YesNoInformation ? os::BoxAnswer::No : os::BoxAnswer::Ok;
}

} // namespace tuckaway::fake
