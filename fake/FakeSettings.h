#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tuckaway::fake {

// SettingsStore: values by key; the application must be the program's. The
// "program" section is `registry`, its "options" and "recovery" are `sections`;
// their reads and writes are logged with the section, as "Write options/Key=value".
class FakeSettings : public virtual FakeLog, public os::SettingsStore {
public:
    std::map<std::string, std::string, std::less<>> registry;
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> sections;
    bool failReads = false;
    // The "games" section, in stored order; values that are not strings have no text.
    std::vector<os::StoredValue> games;

    std::optional<std::string> Read(std::string_view application, std::string_view section,
                                    std::string_view key) override;
    void Write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override;
    std::vector<os::StoredValue> Enumerate(std::string_view application, std::string_view section) override;
};

} // namespace tuckaway::fake
