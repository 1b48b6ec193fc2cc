#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tuckaway::fake {

// AudioSessions: every session on every device; none can be seen while
// audioUnavailable. The system keeps a session's mute under its session
// identifier, and a process that opens a session of that identifier later
// starts with it ("Audio Sessions": the volume and mute settings of a
// rendering session persist), while its instance identifier is its own.
class FakeAudio : public virtual FakeLog, public os::AudioSessions {
public:
    struct Session {
        std::string id; // the instance identifier
        std::uint32_t process;
        bool muted;
        std::string identifier;
    };
    std::vector<Session> sessions;
    // The mute the system keeps for each session identifier.
    std::map<std::string, bool, std::less<>> keptMute;
    bool audioUnavailable = false;
    bool SessionMuted(std::string_view id) const;
    // A session opened by a process: muted as the system keeps its identifier, unless told.
    void OpenSession(std::uint32_t process, std::string id, std::string identifier,
                     std::optional<bool> muted = std::nullopt);
    // A session's mute set by the player, in the system's volume mixer.
    void PlayerMutes(std::string_view id, bool muted);

    std::vector<os::AudioSession> SessionsOf(std::uint32_t processId) override;
    void SetMuted(const std::vector<std::string>& instances, bool muted) override;
    std::vector<std::string> UnmuteIdentifiers(const std::vector<std::string>& identifiers) override;
};

} // namespace tuckaway::fake
