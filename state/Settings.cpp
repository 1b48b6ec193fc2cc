#include "state/Settings.h"

namespace tuckaway::settings {

std::string Store::Read(std::string_view key) {
    return store_.Read(kApplication, kSection, key).value_or("");
}

void Store::Write(std::string_view key, std::string_view value) {
    store_.Write(kApplication, kSection, key, value);
}

std::string Store::ReadOrDefault(std::string_view key, std::string_view defaultValue) {
    if (Read(key).empty()) {
        Write(key, defaultValue);
    }
    return Read(key);
}

} // namespace tuckaway::settings
