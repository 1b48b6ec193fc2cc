#include "state/Changes.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace tuckaway::changes {
namespace {

constexpr std::string_view kGame = "Game";
constexpr std::string_view kMutedSessions = "MutedSessions";
constexpr std::string_view kGameGamma = "GameGamma";
constexpr std::string_view kDesktopGamma = "DesktopGamma";
constexpr std::string_view kDetected = "Detected";
template <typename Number> bool ParseNumber(std::string_view text, Number& value, int base = 10) {
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value, base);
    return !text.empty() && error == std::errc{} && ptr == end;
}

constexpr std::string_view kPriorityClass = "PriorityClass";
constexpr std::string_view kThrottling = "Throttling";

std::string NumberText(const std::optional<unsigned>& number) {
    return number ? std::to_string(*number) : std::string();
}

std::optional<unsigned> ParseClass(std::string_view text) {
    unsigned value = 0;
    // Only the classes a process can have.
    constexpr unsigned kClasses[] = {0x40, 0x4000, 0x20, 0x8000, 0x80, 0x100};
    if (!ParseNumber(text, value) || std::ranges::find(kClasses, value) == std::end(kClasses)) {
        return std::nullopt;
    }
    return value;
}

std::string ThrottlingText(const std::optional<os::Throttling>& throttling) {
    return throttling ? std::to_string(throttling->control) + " " + std::to_string(throttling->state)
                      : std::string();
}

std::optional<os::Throttling> ParseThrottling(std::string_view text) {
    const auto blank = text.find(' ');
    os::Throttling throttling;
    if (blank == std::string_view::npos || !ParseNumber(text.substr(0, blank), throttling.control) ||
        !ParseNumber(text.substr(blank + 1), throttling.state)) {
        return std::nullopt;
    }
    return throttling;
}

std::string GameText(os::ProcessId game) {
    return game ? std::to_string(game.id) + " " + std::to_string(game.started) : std::string();
}

os::ProcessId ParseGame(std::string_view text) {
    const auto blank = text.find(' ');
    os::ProcessId game;
    if (blank == std::string_view::npos || !ParseNumber(text.substr(0, blank), game.id) ||
        !ParseNumber(text.substr(blank + 1), game.started)) {
        return {};
    }
    return game;
}

// Session identifiers hold no line breaks: one per line.
std::string SessionsText(const std::vector<std::string>& sessions) {
    std::string text;
    for (const std::string& session : sessions) {
        text += text.empty() ? "" : "\n";
        text += session;
    }
    return text;
}

std::vector<std::string> ParseSessions(std::string_view text) {
    std::vector<std::string> sessions;
    while (!text.empty()) {
        const auto end = text.find('\n');
        if (const auto line = text.substr(0, end); !line.empty()) {
            sessions.emplace_back(line);
        }
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return sessions;
}

constexpr std::string_view kDigits = "0123456789ABCDEF";

// Four hexadecimal digits per entry.
std::string RampText(const std::optional<os::GammaRamp>& ramp) {
    std::string text;
    if (ramp) {
        text.reserve(ramp->size() * 4);
        for (const std::uint16_t entry : *ramp) {
            for (int shift = 12; shift >= 0; shift -= 4) {
                text.push_back(kDigits[(entry >> shift) & 0xF]);
            }
        }
    }
    return text;
}

std::optional<os::GammaRamp> ParseRamp(std::string_view text) {
    os::GammaRamp ramp;
    if (text.size() != ramp.size() * 4) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < ramp.size(); ++i) {
        if (!ParseNumber(text.substr(4 * i, 4), ramp[i], 16)) {
            return std::nullopt;
        }
    }
    return ramp;
}

} // namespace

Changes Load(settings::Store& store) {
    Changes changes;
    changes.game = ParseGame(store.Read(settings::kRecoverySection, kGame));
    changes.mutedSessions = ParseSessions(store.Read(settings::kRecoverySection, kMutedSessions));
    changes.gameGamma = ParseRamp(store.Read(settings::kRecoverySection, kGameGamma));
    changes.desktopGamma = ParseRamp(store.Read(settings::kRecoverySection, kDesktopGamma));
    changes.detected = store.Read(settings::kRecoverySection, kDetected) == "1";
    changes.priorityClass = ParseClass(store.Read(settings::kRecoverySection, kPriorityClass));
    changes.throttling = ParseThrottling(store.Read(settings::kRecoverySection, kThrottling));
    return changes;
}

void Save(settings::Store& store, const Changes& now, const Changes& before) {
    const auto save = [&](std::string_view key, const std::string& value, const std::string& was) {
        if (value != was) {
            store.Write(settings::kRecoverySection, key, value);
        }
    };
    save(kGame, GameText(now.game), GameText(before.game));
    save(kMutedSessions, SessionsText(now.mutedSessions), SessionsText(before.mutedSessions));
    save(kGameGamma, RampText(now.gameGamma), RampText(before.gameGamma));
    save(kDesktopGamma, RampText(now.desktopGamma), RampText(before.desktopGamma));
    save(kDetected, now.detected ? "1" : "", before.detected ? "1" : "");
    save(kPriorityClass, NumberText(now.priorityClass), NumberText(before.priorityClass));
    save(kThrottling, ThrottlingText(now.throttling), ThrottlingText(before.throttling));
}

} // namespace tuckaway::changes
