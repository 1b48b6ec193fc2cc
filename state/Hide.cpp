#include "state/Hide.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>

namespace tuckaway::hide {
namespace {

constexpr std::array<std::string_view, 4> kPhases = {"Shown", "Hiding", "Hidden", "Restoring"};

// The classes a process can have, and nothing else.
constexpr std::array<unsigned, 6> kClasses = {os::kIdlePriority,   os::kBelowNormalPriority,
                                              os::kNormalPriority, os::kAboveNormalPriority,
                                              os::kHighPriority,   os::kRealtimePriority};

template <typename Number> bool ParseNumber(std::string_view text, Number& value, int base = 10) {
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value, base);
    return !text.empty() && error == std::errc{} && ptr == end;
}

// Numbers separated by single blanks, exactly as many as asked for.
template <typename... Numbers> bool ParseNumbers(std::string_view text, Numbers&... values) {
    bool whole = true;
    const auto next = [&](auto& value) {
        const auto blank = text.find(' ');
        whole = whole && ParseNumber(text.substr(0, blank), value);
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    };
    (next(values), ...);
    return whole && text.empty();
}

constexpr std::string_view kDigits = "0123456789ABCDEF";

// Four hexadecimal digits per entry.
std::string RampText(const os::GammaRamp& ramp) {
    std::string text;
    text.reserve(ramp.size() * 4);
    for (const std::uint16_t entry : ramp) {
        for (int shift = 12; shift >= 0; shift -= 4) {
            text.push_back(kDigits[(entry >> shift) & 0xF]);
        }
    }
    return text;
}

// A ramp that could have been read off a display: each colour rises, and over
// a good part of the range. Another (a stored value gone bad) could leave the
// screen dark or flat, and is never put on the display.
bool Plausible(const os::GammaRamp& ramp) {
    constexpr std::uint16_t kLeastRise = 0x4000;
    for (std::size_t colour = 0; colour < 3; ++colour) {
        const auto first = ramp.begin() + static_cast<std::ptrdiff_t>(colour * 256);
        if (!std::is_sorted(first, first + 256) || first[255] - first[0] < kLeastRise) {
            return false;
        }
    }
    return true;
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
    return Plausible(ramp) ? std::optional(ramp) : std::nullopt;
}

std::optional<unsigned> ParseClass(std::string_view text) {
    unsigned value = 0;
    if (!ParseNumber(text, value) || std::ranges::find(kClasses, value) == kClasses.end()) {
        return std::nullopt;
    }
    return value;
}

std::string ModeText(const os::DisplayMode& mode) {
    return std::to_string(mode.fields) + " " + std::to_string(mode.width) + " " +
           std::to_string(mode.height) + " " + std::to_string(mode.bitsPerPixel) + " " +
           std::to_string(mode.frequency);
}

// A field's text holds no line break: identifiers of sessions and numbers only.
bool OneLine(std::string_view text) {
    return !text.empty() && text.find_first_of("\r\n") == std::string_view::npos;
}

// Reads one "Key=value" line into the value; a line that does not read whole changes nothing.
void ParseLine(std::string_view key, std::string_view value, Hide& hide) {
    if (key == "State") {
        if (const auto it = std::ranges::find(kPhases, value); it != kPhases.end()) {
            hide.phase = static_cast<Phase>(std::distance(kPhases.begin(), it));
        }
    } else if (key == "Window") {
        ParseNumber(value, hide.window.value);
    } else if (key == "Process") {
        os::ProcessId process;
        if (ParseNumbers(value, process.id, process.started)) {
            hide.process = process;
        }
    } else if (key == "Maximized" || key == "Switched" || key == "Detected" || key == "Frozen") {
        (key == "Maximized"  ? hide.maximized
         : key == "Switched" ? hide.switched
         : key == "Frozen"   ? hide.frozen
                             : hide.detected) = value == "1";
    } else if (key == "DesktopMode" || key == "GameMode") {
        os::DisplayMode mode;
        if (ParseNumbers(value, mode.fields, mode.width, mode.height, mode.bitsPerPixel, mode.frequency)) {
            (key == "DesktopMode" ? hide.desktopMode : hide.gameMode) = mode;
        }
    } else if (key == "Muted") {
        // The identifier, a tab, the instance.
        const auto tab = value.find('\t');
        if (tab != std::string_view::npos && OneLine(value.substr(tab + 1))) {
            hide.muted.push_back({std::string(value.substr(0, tab)), std::string(value.substr(tab + 1))});
        }
    } else if (key == "UnmuteLater" || key == "Heard") {
        (key == "Heard" ? hide.heard : hide.unmuteLater).emplace_back(value);
    } else if (key == "PriorityClass") {
        hide.priorityClass = ParseClass(value);
    } else if (key == "Throttling") {
        os::Throttling throttling;
        if (ParseNumbers(value, throttling.control, throttling.state)) {
            hide.throttling = throttling;
        }
    } else if (key == "GameGamma" || key == "DesktopGamma") {
        (key == "GameGamma" ? hide.gameGamma : hide.desktopGamma) = ParseRamp(value);
    }
}

// What an earlier version kept, one value a field, with its sessions' instances alone.
constexpr std::array<std::string_view, 7> kEarlierValues = {
    "Game", "MutedSessions", "GameGamma", "DesktopGamma", "Detected", "PriorityClass", "Throttling"};

Hide LoadEarlier(settings::Store& store) {
    Hide hide;
    const std::string game = store.Read(settings::kRecoverySection, "Game");
    hide.detected = store.Read(settings::kRecoverySection, "Detected") == "1";
    if (game.empty() && !hide.detected) {
        return hide;
    }
    if (!game.empty()) {
        ParseLine("Process", game, hide);
        const std::string sessions = store.Read(settings::kRecoverySection, "MutedSessions");
        for (std::string_view rest = sessions; !rest.empty();) {
            const auto end = rest.find('\n');
            if (const auto instance = rest.substr(0, end); OneLine(instance)) {
                hide.muted.push_back({"", std::string(instance)});
            }
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        }
        ParseLine("PriorityClass", store.Read(settings::kRecoverySection, "PriorityClass"), hide);
        ParseLine("Throttling", store.Read(settings::kRecoverySection, "Throttling"), hide);
        ParseLine("GameGamma", store.Read(settings::kRecoverySection, "GameGamma"), hide);
        ParseLine("DesktopGamma", store.Read(settings::kRecoverySection, "DesktopGamma"), hide);
    }
    // The window it hid is not known: the game is given back without it.
    if (hide.process && hide.HoldsChanges()) {
        hide.phase = Phase::Hidden;
    }
    for (const std::string_view key : kEarlierValues) {
        store.Write(settings::kRecoverySection, key, "");
    }
    return hide;
}

} // namespace

std::string RecordText(const Hide& hide) {
    std::string text = "State=" + std::string(kPhases[static_cast<std::size_t>(hide.phase)]) + "\n";
    const auto line = [&](std::string_view key, const std::string& value) {
        text.append(key).append("=").append(value).append("\n");
    };
    if (hide.window) {
        line("Window", std::to_string(hide.window.value));
    }
    if (hide.process) {
        line("Process", std::to_string(hide.process.id) + " " + std::to_string(hide.process.started));
    }
    if (hide.maximized) {
        line("Maximized", "1");
    }
    if (hide.switched) {
        line("Switched", "1");
    }
    if (hide.gameMode.width != 0) {
        line("DesktopMode", ModeText(hide.desktopMode));
        line("GameMode", ModeText(hide.gameMode));
    }
    for (const MutedSession& session : hide.muted) {
        line("Muted", session.identifier + "\t" + session.instance);
    }
    for (const std::string& instance : hide.heard) {
        line("Heard", instance);
    }
    for (const std::string& identifier : hide.unmuteLater) {
        line("UnmuteLater", identifier);
    }
    if (hide.priorityClass) {
        line("PriorityClass", std::to_string(*hide.priorityClass));
    }
    if (hide.frozen) {
        line("Frozen", "1");
    }
    if (hide.throttling) {
        line("Throttling",
             std::to_string(hide.throttling->control) + " " + std::to_string(hide.throttling->state));
    }
    if (hide.gameGamma && hide.desktopGamma) {
        line("GameGamma", RampText(*hide.gameGamma));
        line("DesktopGamma", RampText(*hide.desktopGamma));
    }
    if (hide.detected) {
        line("Detected", "1");
    }
    return text;
}

Hide ParseRecord(std::string_view text) {
    Hide hide;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const auto equals = line.find('=');
        if (equals != std::string_view::npos && OneLine(line.substr(equals + 1))) {
            ParseLine(line.substr(0, equals), line.substr(equals + 1), hide);
        }
    }
    // The two ramps are kept together: one alone says nothing of what to put back.
    if (!hide.gameGamma || !hide.desktopGamma) {
        hide.gameGamma.reset();
        hide.desktopGamma.reset();
    }
    // A mode is whole or not known: a start would switch to it.
    if (hide.gameMode.width <= 0 || hide.gameMode.height <= 0 || hide.desktopMode.width <= 0 ||
        hide.desktopMode.height <= 0) {
        hide.switched = false;
        hide.desktopMode = {};
        hide.gameMode = {};
    }
    return hide;
}

Hide Load(settings::Store& store) {
    const std::string text = store.Read(settings::kRecoverySection, kRecordValue);
    return text.empty() ? LoadEarlier(store) : ParseRecord(text);
}

void Save(settings::Store& store, const Hide& hide, std::string& saved) {
    std::string text = RecordText(hide);
    if (text != saved) {
        store.Write(settings::kRecoverySection, kRecordValue, text);
        saved = std::move(text);
    }
}

} // namespace tuckaway::hide
