#include "fake/FakeSettings.h"

#include <stdexcept>

namespace tuckaway::fake {
namespace {

// Everything the program stores lives in its own few sections; a test that
// sees another has found a fault.
void CheckSection(std::string_view application, std::string_view section) {
    if (application != "Tuckaway v1.10" ||
        (section != "program" && section != "options" && section != "recovery")) {
        throw std::logic_error("settings outside the program's sections");
    }
}

// How a key shows in the log: the program's own seven bare, others with their section.
std::string Logged(std::string_view section, std::string_view key) {
    return section == "program" ? std::string(key) : std::string(section) + "/" + std::string(key);
}

} // namespace

std::optional<std::string> FakeSettings::Read(std::string_view application, std::string_view section,
                                              std::string_view key) {
    CheckSection(application, section);
    log.push_back("Read " + Logged(section, key));
    if (failReads) {
        return std::nullopt;
    }
    const auto& values = section == "program" ? registry : sections[std::string(section)];
    const auto it = values.find(key);
    if (it == values.end()) {
        return std::nullopt;
    }
    return it->second;
}

void FakeSettings::Write(std::string_view application, std::string_view section, std::string_view key,
                         std::string_view value) {
    CheckSection(application, section);
    log.push_back("Write " + Logged(section, key) + "=" + std::string(value));
    auto& values = section == "program" ? registry : sections[std::string(section)];
    values[std::string(key)] = value;
}

std::vector<os::StoredValue> FakeSettings::Enumerate(std::string_view application, std::string_view section) {
    if (application != "Tuckaway v1.10" || section != "games") {
        throw std::logic_error("enumeration of another section than the games");
    }
    log.push_back("Enumerate " + std::string(section));
    return failReads ? std::vector<os::StoredValue>{} : games;
}

} // namespace tuckaway::fake
