#include "state/Settings.h"

namespace tuckaway::settings {

std::string Store::Read(std::string_view section, std::string_view key) {
    return store_.Read(kApplication, section, key).value_or("");
}

void Store::Write(std::string_view section, std::string_view key, std::string_view value) {
    store_.Write(kApplication, section, key, value);
}

std::string Store::ReadOrDefault(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) {
    if (Read(section, key).empty()) {
        Write(section, key, defaultValue);
    }
    return Read(section, key);
}

bool Store::Option(std::string_view key, bool defaultValue) {
    // Nothing is written: the option is there for the user who wants it.
    const std::string value = Read(kOptionsSection, key);
    return value == "1" || (value != "0" && defaultValue);
}

} // namespace tuckaway::settings
