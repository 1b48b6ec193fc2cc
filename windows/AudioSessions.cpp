#include "windows/AudioSessions.h"

#include "windows/Text.h"

#include <audiopolicy.h>
#include <mmdeviceapi.h>

#include <algorithm>
#include <cstdio>

namespace tuckaway::win32 {

// The few COM calls made, from the system's ole32 loaded on the first use; the
// thread's apartment is this object's from then on.
struct AudioSessions::Com {
    HMODULE module = nullptr;
    decltype(&::CoInitializeEx) initialize = nullptr;
    decltype(&::CoUninitialize) uninitialize = nullptr;
    decltype(&::CoCreateInstance) create = nullptr;
    decltype(&::CoTaskMemFree) free = nullptr;
    HRESULT started = E_FAIL;

    ~Com() {
        // Only a successful start is balanced; RPC_E_CHANGED_MODE is another owner's apartment.
        if (SUCCEEDED(started)) {
            uninitialize();
        }
        if (module) {
            ::FreeLibrary(module);
        }
    }
    bool usable() const { return SUCCEEDED(started) || started == RPC_E_CHANGED_MODE; }

    template <typename Function> bool Find(Function& function, const char* name) {
        function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
        return function != nullptr;
    }
};

namespace {

// One of the session's two names, as UTF-8; empty where it has none.
std::string NameOf(IAudioSessionControl2& control,
                   HRESULT (STDMETHODCALLTYPE IAudioSessionControl2::*get)(LPWSTR*),
                   decltype(&::CoTaskMemFree) free) {
    LPWSTR id = nullptr;
    if (FAILED((control.*get)(&id)) || !id) {
        return {};
    }
    std::string text = Utf8(id);
    free(id);
    return text;
}

std::string InstanceOf(IAudioSessionControl2& control, decltype(&::CoTaskMemFree) free) {
    return NameOf(control, &IAudioSessionControl2::GetSessionInstanceIdentifier, free);
}

std::string IdentifierOf(IAudioSessionControl2& control, decltype(&::CoTaskMemFree) free) {
    return NameOf(control, &IAudioSessionControl2::GetSessionIdentifier, free);
}

} // namespace

AudioSessions::AudioSessions(os::DebugOutput& debug) : debug_(debug) {}

// The interfaces go before the apartment they live in.
AudioSessions::~AudioSessions() {
    devices_.Reset();
    com_.reset();
}

bool AudioSessions::StartCom() {
    if (com_) {
        return com_->usable();
    }
    com_ = std::make_unique<Com>();
    Com& com = *com_;
    com.module = ::LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!com.module || !com.Find(com.initialize, "CoInitializeEx") ||
        !com.Find(com.uninitialize, "CoUninitialize") || !com.Find(com.create, "CoCreateInstance") ||
        !com.Find(com.free, "CoTaskMemFree")) {
        Unavailable("LoadLibrary(ole32)", static_cast<long>(HRESULT_FROM_WIN32(::GetLastError())));
        return false;
    }
    com.started = com.initialize(nullptr, COINIT_APARTMENTTHREADED);
    return com.usable();
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
    if (!StartCom()) {
        return;
    }
    HRESULT result = S_OK;
    // The enumerator is dropped whenever it finds no device, so that an audio
    // service started again is asked afresh, not through the old one.
    if (!devices_) {
        result = com_->create(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                              __uuidof(IMMDeviceEnumerator), devices_.ReceiveVoid());
        if (FAILED(result)) {
            return Unavailable("CoCreateInstance(MMDeviceEnumerator)", result);
        }
    }
    ComPtr<IMMDeviceCollection> endpoints;
    // No device at all is no error: there is simply nothing to mute.
    UINT deviceCount = 0;
    if (FAILED(devices_->EnumAudioEndpoints(eRender, DEVICE_STATE_ACTIVE, endpoints.Receive())) ||
        FAILED(endpoints->GetCount(&deviceCount)) || deviceCount == 0) {
        devices_.Reset();
        return;
    }
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

std::vector<os::AudioSession> AudioSessions::SessionsOf(std::uint32_t processId) {
    std::vector<os::AudioSession> found;
    ForEachSession([&](IAudioSessionControl2& control, ISimpleAudioVolume& volume) {
        DWORD owner = 0;
        BOOL muted = FALSE;
        // A session shared by several processes answers with a success code other than S_OK.
        if (control.GetProcessId(&owner) == S_OK && owner == processId && SUCCEEDED(volume.GetMute(&muted))) {
            if (std::string instance = InstanceOf(control, com_->free); !instance.empty()) {
                found.push_back({IdentifierOf(control, com_->free), std::move(instance), muted != FALSE});
            }
        }
    });
    return found;
}

void AudioSessions::SetMuted(const std::vector<std::string>& instances, bool muted) {
    if (instances.empty()) {
        return;
    }
    ForEachSession([&](IAudioSessionControl2& control, ISimpleAudioVolume& volume) {
        if (std::ranges::find(instances, InstanceOf(control, com_->free)) != instances.end()) {
            volume.SetMute(muted ? TRUE : FALSE, nullptr);
        }
    });
}

std::vector<std::string> AudioSessions::UnmuteIdentifiers(const std::vector<std::string>& identifiers) {
    std::vector<std::string> found;
    if (identifiers.empty()) {
        return found;
    }
    ForEachSession([&](IAudioSessionControl2& control, ISimpleAudioVolume& volume) {
        const std::string identifier = IdentifierOf(control, com_->free);
        if (std::ranges::find(identifiers, identifier) != identifiers.end()) {
            volume.SetMute(FALSE, nullptr);
            if (std::ranges::find(found, identifier) == found.end()) {
                found.push_back(identifier);
            }
        }
    });
    return found;
}

} // namespace tuckaway::win32
