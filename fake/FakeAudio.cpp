#include "fake/FakeAudio.h"

#include <algorithm>

namespace tuckaway::fake {

void FakeAudio::OpenSession(std::uint32_t process, std::string id, std::string identifier,
                            std::optional<bool> muted) {
    const auto kept = keptMute.find(identifier);
    const bool startsMuted = muted.value_or(kept != keptMute.end() && kept->second);
    keptMute[identifier] = startsMuted;
    sessions.push_back({std::move(id), process, startsMuted, std::move(identifier)});
}

void FakeAudio::PlayerMutes(std::string_view id, bool muted) {
    for (Session& session : sessions) {
        if (session.id == id) {
            session.muted = muted;
            keptMute[session.identifier] = muted;
        }
    }
}

std::vector<os::AudioSession> FakeAudio::SessionsOf(std::uint32_t processId) {
    log.push_back("SessionsOf " + std::to_string(processId));
    std::vector<os::AudioSession> found;
    for (const Session& session : sessions) {
        if (!audioUnavailable && session.process == processId) {
            found.push_back({session.identifier, session.id, session.muted});
        }
    }
    return found;
}

void FakeAudio::SetMuted(const std::vector<std::string>& instances, bool muted) {
    log.push_back(std::string(muted ? "Mute" : "Unmute") + " " + std::to_string(instances.size()));
    for (Session& session : sessions) {
        if (!audioUnavailable && std::ranges::find(instances, session.id) != instances.end()) {
            session.muted = muted;
            keptMute[session.identifier] = muted;
        }
    }
}

std::vector<std::string> FakeAudio::UnmuteIdentifiers(const std::vector<std::string>& identifiers) {
    log.push_back("UnmuteIdentifiers " + std::to_string(identifiers.size()));
    std::vector<std::string> found;
    for (Session& session : sessions) {
        if (!audioUnavailable && std::ranges::find(identifiers, session.identifier) != identifiers.end()) {
            session.muted = false;
            keptMute[session.identifier] = false;
            if (std::ranges::find(found, session.identifier) == found.end()) {
                found.push_back(session.identifier);
            }
        }
    }
    return found;
}

bool FakeAudio::SessionMuted(std::string_view id) const {
    const auto it = std::ranges::find(sessions, id, &Session::id);
    return it != sessions.end() && it->muted;
}

} // namespace tuckaway::fake
