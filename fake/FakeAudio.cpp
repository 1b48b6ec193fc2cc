#include "fake/FakeAudio.h"

#include <algorithm>

namespace tuckaway::fake {

std::vector<std::string> FakeAudio::UnmutedSessions(std::uint32_t processId) {
    log.push_back("UnmutedSessions " + std::to_string(processId));
    std::vector<std::string> ids;
    for (const Session& session : sessions) {
        if (!audioUnavailable && session.process == processId && !session.muted) {
            ids.push_back(session.id);
        }
    }
    return ids;
}

void FakeAudio::SetMuted(const std::vector<std::string>& ids, bool muted) {
    log.push_back(std::string(muted ? "Mute" : "Unmute") + " " + std::to_string(ids.size()));
    for (Session& session : sessions) {
        if (!audioUnavailable && std::ranges::find(ids, session.id) != ids.end()) {
            session.muted = muted;
        }
    }
}

bool FakeAudio::SessionMuted(std::string_view id) const {
    const auto it = std::ranges::find(sessions, id, &Session::id);
    return it != sessions.end() && it->muted;
}

} // namespace tuckaway::fake
