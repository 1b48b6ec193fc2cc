#pragma once

// Other programs' audio sessions through the system's session interfaces.

#include "handles/Com.h"
#include "ports/Os.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct IMMDeviceEnumerator;
struct IAudioSessionControl2;
struct ISimpleAudioVolume;

namespace tuckaway::win32 {

// COM is loaded and started on the first call, not with the program: it costs
// start-up time, and most runs never hide a game.
class AudioSessions final : public os::AudioSessions {
public:
    // Why the sessions cannot be seen, if they cannot, goes to `debug` once.
    explicit AudioSessions(os::DebugOutput& debug);
    ~AudioSessions() override;
    AudioSessions(const AudioSessions&) = delete;
    AudioSessions& operator=(const AudioSessions&) = delete;

    std::vector<os::AudioSession> SessionsOf(std::uint32_t processId) override;
    void SetMuted(const std::vector<std::string>& instances, bool muted) override;
    std::vector<std::string> UnmuteIdentifiers(const std::vector<std::string>& identifiers) override;

private:
    using Visit = std::function<void(IAudioSessionControl2&, ISimpleAudioVolume&)>;
    // Every session of every active render device.
    void ForEachSession(const Visit& visit);
    // Says once in the debug output why the sessions cannot be seen.
    void Unavailable(const char* call, long result);

    os::DebugOutput& debug_;
    // False where COM cannot be had.
    bool StartCom();

    struct Com;
    std::unique_ptr<Com> com_;
    ComPtr<IMMDeviceEnumerator> devices_;
    bool told_ = false;
};

} // namespace tuckaway::win32
