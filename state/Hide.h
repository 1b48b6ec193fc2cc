#pragma once

// A hide of the game: everything it changed outside the program and must give
// back, as one value in one of a few named phases. It lives in memory and, as
// one settings value written before each change outside the program (a
// journal written first), in the "recovery" section, so that a start after a
// crash or a kill knows all that was done, whatever step it died in.

#include "ports/Os.h"
#include "state/Settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tuckaway::hide {

enum class Phase : std::uint8_t {
    Shown,     // nothing of a hide is in force
    Hiding,    // the window was asked to hide and has not yet
    Hidden,    // the window is hidden, with all the hide changed
    Restoring, // the window was asked back and has not yet come
};

// A session the hide muted, unmuted before.
struct MutedSession {
    // The system keeps the mute under it for the game's next run too.
    std::string identifier;
    // The session of the game's run that was hidden.
    std::string instance;
    friend bool operator==(const MutedSession&, const MutedSession&) = default;
};

struct Hide {
    Phase phase = Phase::Shown;
    os::Window window;
    os::ProcessId process;
    // It comes back maximised.
    bool maximized = false;
    // The display was switched from the game's mode to the desktop's for the
    // hidden game (what Varer.Check1 shows), and the two modes, whole, as
    // they were when the hide was asked.
    bool switched = false;
    os::DisplayMode desktopMode;
    os::DisplayMode gameMode;
    std::vector<MutedSession> muted;
    // Sessions the player unmuted while the game was hidden: theirs to hear.
    std::vector<std::string> heard;
    // Sessions muted for a game that ended while hidden: the system would
    // start its next run muted, so they are unmuted once they are seen again.
    std::vector<std::string> unmuteLater;
    // The process's priority class and efficiency mode before the hide
    // changed them, for each it changed.
    std::optional<unsigned> priorityClass;
    std::optional<os::Throttling> throttling;
    // The program suspended the process, once; it resumes it once.
    bool frozen = false;
    // While the display shows the desktop's ramp for the hidden game: the
    // game's ramp, read before anything changed, and the desktop's.
    std::optional<os::GammaRamp> gameGamma;
    std::optional<os::GammaRamp> desktopGamma;
    // Automatic detection chose the game the settings name, not the user: a
    // start after a crash searches again.
    bool detected = false;

    // When the window was last asked to hide or come back, or was seen
    // hidden; not recorded.
    std::uint64_t asked = 0;
    // Resumed by this hide's way back: the system may still call the window
    // hung for the time it was frozen. Not recorded.
    bool thawed = false;

    // Something of the game's process or the display is still to give back.
    bool HoldsChanges() const {
        return switched || frozen || !muted.empty() || priorityClass || throttling || gameGamma;
    }
    // The hide over: what outlives it (detection's choice, sessions to
    // unmute when seen) stays.
    void End() {
        Hide next;
        next.detected = detected;
        next.unmuteLater = std::move(unmuteLater);
        *this = std::move(next);
    }
};

// The settings value that holds the record, in the "recovery" section.
inline constexpr std::string_view kRecordValue = "Hide";

// The value as the settings hold it, one line a field ("State=Hidden"); and
// back. A line that does not read back whole is left out, so that what does
// read back can still be given back.
std::string RecordText(const Hide& hide);
Hide ParseRecord(std::string_view text);

// What the settings hold, also from the separate values an earlier version
// kept; an earlier version's values are emptied once read.
Hide Load(settings::Store& store);
// Writes the record when its text differs from `saved`, the text the settings
// hold, which it then updates.
void Save(settings::Store& store, const Hide& hide, std::string& saved);

} // namespace tuckaway::hide
