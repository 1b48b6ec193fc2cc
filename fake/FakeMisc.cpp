#include "fake/FakeMisc.h"

namespace tuckaway::fake {

os::Icon FakePictures::Logo(int pictureNumber) {
    return os::Icon{0x1000u + static_cast<unsigned>(pictureNumber)};
}

bool FakeInstance::ClaimFirstInstance() {
    return !anotherInstanceRuns;
}

void FakeKeyboard::TypeCombination(unsigned modifiers, unsigned virtualKey) {
    log.push_back("TypeCombination " + std::to_string(modifiers) + " " + std::to_string(virtualKey));
    if (whileTyping) {
        whileTyping();
    }
}

void FakeDebug::Log(std::string_view line) {
    debugLines.emplace_back(line);
}

} // namespace tuckaway::fake
