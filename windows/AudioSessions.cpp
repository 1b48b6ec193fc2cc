#include "windows/AudioSessions.h"

#include "windows/Text.h"

#include <audiopolicy.h>
#include <mmdeviceapi.h>

#include <algorithm>
#include <cstdio>

namespace tuckaway::win32 {
namespace {

std::string InstanceOf(IAudioSessionControl2& control) {
    CoTaskString id;
    if (FAILED(control.GetSessionInstanceIdentifier(id.Receive())) || !id.get()) {
        return {};
    }
    return Utf8(id.get());
}

} // namespace

AudioSessions::AudioSessions(os::DebugOutput& debug) : debug_(debug) {}

// The interfaces go before the apartment they live in.
AudioSessions::~AudioSessions() {
    devices_.Reset();
    apartment_.reset();
}

void AudioSessions::Unavailable(const char* call, long result) {
    if (told_) {
        return;
    }
    told_ = true;
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    debug_.Log(std::string("Tuckaway: the audio sessions cannot be seen (") + call + ": " + code + ")");
}

void AudioSessions::ForEachSession(const Visit& visit) {
    if (!apartment_) {
        apartment_ = std::make_unique<ComApartment>();
    }
    if (!apartment_->usable()) {
        return;
    }
    HRESULT result = S_OK;
    if (!devices_) {
        result = ::CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                    __uuidof(IMMDeviceEnumerator), devices_.ReceiveVoid());
        if (FAILED(result)) {
            return Unavailable("CoCreateInstance(MMDeviceEnumerator)", result);
        }
    }
    ComPtr<IMMDeviceCollection> endpoints;
    // No device at all is no error: there is simply nothing to mute.
    if (FAILED(devices_->EnumAudioEndpoints(eRender, DEVICE_STATE_ACTIVE, endpoints.Receive()))) {
        return;
    }
    UINT deviceCount = 0;
    endpoints->GetCount(&deviceCount);
    for (UINT d = 0; d < deviceCount; ++d) {
        ComPtr<IMMDevice> device;
        ComPtr<IAudioSessionManager2> manager;
        ComPtr<IAudioSessionEnumerator> sessions;
        if (FAILED(endpoints->Item(d, device.Receive())) ||
            FAILED(result = device->Activate(__uuidof(IAudioSessionManager2), CLSCTX_INPROC_SERVER, nullptr,
                                             manager.ReceiveVoid()))) {
            Unavailable("IMMDevice::Activate(IAudioSessionManager2)", result);
            continue;
        }
        if (FAILED(result = manager->GetSessionEnumerator(sessions.Receive()))) {
            Unavailable("IAudioSessionManager2::GetSessionEnumerator", result);
            continue;
        }
        int sessionCount = 0;
        sessions->GetCount(&sessionCount);
        for (int s = 0; s < sessionCount; ++s) {
            ComPtr<IAudioSessionControl> control;
            if (FAILED(sessions->GetSession(s, control.Receive()))) {
                continue;
            }
            const auto control2 = control.As<IAudioSessionControl2>();
            const auto volume = control.As<ISimpleAudioVolume>();
            if (control2 && volume) {
                visit(*control2.get(), *volume.get());
            }
        }
    }
}

std::vector<std::string> AudioSessions::UnmutedSessions(std::uint32_t processId) {
    std::vector<std::string> found;
    ForEachSession([&](IAudioSessionControl2& control, ISimpleAudioVolume& volume) {
        DWORD owner = 0;
        BOOL muted = FALSE;
        // A session shared by several processes answers with a success code other than S_OK.
        if (control.GetProcessId(&owner) == S_OK && owner == processId && SUCCEEDED(volume.GetMute(&muted)) &&
            !muted) {
            if (std::string id = InstanceOf(control); !id.empty()) {
                found.push_back(std::move(id));
            }
        }
    });
    return found;
}

void AudioSessions::SetMuted(const std::vector<std::string>& sessions, bool muted) {
    if (sessions.empty()) {
        return;
    }
    ForEachSession([&](IAudioSessionControl2& control, ISimpleAudioVolume& volume) {
        if (std::ranges::find(sessions, InstanceOf(control)) != sessions.end()) {
            volume.SetMute(muted ? TRUE : FALSE, nullptr);
        }
    });
}

} // namespace tuckaway::win32
