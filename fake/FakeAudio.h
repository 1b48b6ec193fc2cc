#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"

#include <string>
#include <vector>

namespace tuckaway::fake {

// AudioSessions: every session on every device; none can be seen while audioUnavailable.
class FakeAudio : public virtual FakeLog, public os::AudioSessions {
public:
    struct Session {
        std::string id;
        std::uint32_t process;
        bool muted;
    };
    std::vector<Session> sessions;
    bool audioUnavailable = false;
    bool SessionMuted(std::string_view id) const;

    std::vector<std::string> UnmutedSessions(std::uint32_t processId) override;
    void SetMuted(const std::vector<std::string>& ids, bool muted) override;
};

} // namespace tuckaway::fake
