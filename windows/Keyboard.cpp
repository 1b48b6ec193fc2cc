#include "windows/Services.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace tuckaway::win32 {
namespace {

// Unassigned: no keyboard sends them and programs ignore them. The marker
// ends a batch; the mask keeps a lone Alt from opening a menu.
constexpr WORD kMarkerKey = 0xE8;
constexpr WORD kMaskKey = 0xE9;
// How long the system may take to see the marker before the registration is
// taken back anyway; a press caught by it then comes back as a hot key and is
// passed on once more, so waiting longer would only add delay.
constexpr DWORD kMarkerWaitMilliseconds = 250;
// How long the user's keys may be held back, whatever happens: Windows removes
// a low-level hook without a word once it keeps the system waiting past
// LowLevelHooksTimeout (at most a second since Windows 10 1709), and keys
// typed after that would overtake the held ones.
constexpr DWORD kHoldMilliseconds = 300;

bool KeyDown(WORD key) {
    return (::GetAsyncKeyState(key) & 0x8000) != 0;
}

bool ExtendedKey(WORD key) {
    switch (key) {
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_DIVIDE:
    case VK_NUMLOCK:
        return true;
    default:
        return false;
    }
}

INPUT KeyEvent(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (down ? 0u : KEYEVENTF_KEYUP) | (ExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0u);
    return input;
}

// False when the system took fewer events than it was given. (Input that User
// Interface Privilege Isolation blocks is not reported at all.)
bool Send(std::vector<INPUT>& inputs) {
    return inputs.empty() ||
           ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// Holds the user's own key events back for as long as one combination is
// being typed, and lets them through, in their order, once it has been: the
// system takes input one event at a time, so without the hold a modifier the
// user lets go could land between the combination's modifiers and its key.
// The hold sees the events in the order the system takes them, through a
// low-level keyboard hook that exists only for that moment.
class KeyHold {
public:
    explicit KeyHold(unsigned lateHookMilliseconds)
        : started_(::GetTickCount()), lateBy_(lateHookMilliseconds) {
        current_ = this;
        hook_ = ::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyHold::Proc, ::GetModuleHandleW(nullptr), 0);
    }
    ~KeyHold() {
        Release();
        current_ = nullptr;
    }
    KeyHold(const KeyHold&) = delete;
    KeyHold& operator=(const KeyHold&) = delete;

    // Sends the events and returns once the system has taken them all (their
    // last is the marker going down), or after the time limit, or at once
    // when the system refused some of them.
    bool SendAndWait(std::vector<INPUT> inputs) {
        inputs.push_back(KeyEvent(kMarkerKey, true));
        const int awaited = ++markersSent_;
        if (!Send(inputs)) {
            return false;
        }
        // The hook is called through this thread's sent messages, which are
        // all that is dispatched meanwhile: a queued hot key waits its turn.
        const DWORD started = ::GetTickCount();
        const DWORD limit = std::min(kMarkerWaitMilliseconds, Left());
        for (;;) {
            const bool seen = hook_ ? markersSeen_ >= awaited : KeyDown(kMarkerKey);
            const DWORD elapsed = ::GetTickCount() - started;
            if (seen || elapsed >= limit) {
                break;
            }
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, hook_ ? limit - elapsed : 1, QS_SENDMESSAGE);
            MSG message;
            ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        std::vector<INPUT> up{KeyEvent(kMarkerKey, false)};
        Send(up);
        return true;
    }

    // The combination relies on this key's state as read: the user letting
    // it go waits until the combination is through.
    void Rely(WORD key) { relied_.push_back(key); }

    // Lets the held events through, after everything sent so far, and any
    // that come meanwhile after them; once the hold's time is up, the hook
    // goes first and the rest follows it, in order. Events on their way stay
    // in the list until the system has taken them: a key let go meanwhile
    // waits behind them, and if the system refuses them they are sent once
    // more at the end, so that no key let go stays down.
    void Release() {
        while (!held_.empty() && Left() > 0) {
            const auto sent = static_cast<std::ptrdiff_t>(held_.size());
            if (!SendAndWait({held_.begin(), held_.begin() + sent})) {
                break;
            }
            held_.erase(held_.begin(), held_.begin() + sent);
        }
        holding_ = false;
        if (hook_) {
            ::UnhookWindowsHookEx(std::exchange(hook_, nullptr));
        }
        Send(held_);
        held_.clear();
    }

private:
    DWORD Left() const {
        const DWORD elapsed = ::GetTickCount() - started_;
        return elapsed >= kHoldMilliseconds ? 0 : kHoldMilliseconds - elapsed;
    }

    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && current_) {
            if (current_->lateBy_ > 0) {
                // A test's stand-in for a hook the system finds too slow.
                ::Sleep(std::exchange(current_->lateBy_, 0));
            }
            const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
            const bool up = (event->flags & LLKHF_UP) != 0;
            if ((event->flags & LLKHF_INJECTED) != 0) {
                current_->markersSeen_ += event->vkCode == kMarkerKey && !up ? 1 : 0;
            } else if (current_->holding_) {
                INPUT input = KeyEvent(static_cast<WORD>(event->vkCode), !up);
                input.ki.wScan = static_cast<WORD>(event->scanCode);
                input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0u) |
                                   ((event->flags & LLKHF_EXTENDED) != 0 ? KEYEVENTF_EXTENDEDKEY : 0u);
                if (!current_->Hold(input)) {
                    return ::CallNextHookEx(nullptr, code, wParam, lParam);
                }
                return 1;
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // A key going down waits. A key let go waits too behind anything held,
    // which it must not overtake, and when the combination relies on it as
    // read: let go first, a modifier the user holds would be missing from the
    // combination's key, or be put back down after it. Any other key let go
    // passes at once, so that it cannot stay down whatever becomes of the
    // held ones. False: let it pass.
    bool Hold(const INPUT& input) {
        const bool up = (input.ki.dwFlags & KEYEVENTF_KEYUP) != 0;
        if (!up || !held_.empty() || std::ranges::find(relied_, input.ki.wVk) != relied_.end()) {
            held_.push_back(input);
            return true;
        }
        return false;
    }

    // A hook procedure gets no context; one hold runs at a time, on this thread.
    static inline KeyHold* current_ = nullptr;
    HHOOK hook_ = nullptr;
    bool holding_ = true;
    int markersSent_ = 0;
    int markersSeen_ = 0;
    DWORD started_;
    unsigned lateBy_;
    std::vector<INPUT> held_;
    std::vector<WORD> relied_;
};

} // namespace

void Keyboard::TypeCombination(unsigned modifiers, unsigned virtualKey) {
    // Holding first: from here on the user's keys wait, so the state read
    // below stays true until the combination is through.
    KeyHold hold(delays_.lateHookMilliseconds);
    // Under Wine a key state read soon after the last one can come from a
    // cache; sending anything refreshes it, and the marker is up already.
    std::vector<INPUT> refresh{KeyEvent(kMarkerKey, false)};
    Send(refresh);

    // Each modifier as the combination wants it, and put back afterwards.
    struct Modifier {
        unsigned flag;
        WORD left;
        WORD right;
    };
    constexpr Modifier kModifiers[] = {
        {MOD_CONTROL, VK_LCONTROL, VK_RCONTROL},
        {MOD_SHIFT, VK_LSHIFT, VK_RSHIFT},
        {MOD_ALT, VK_LMENU, VK_RMENU},
    };
    std::vector<INPUT> press;
    std::vector<INPUT> release; // in reverse order
    for (const Modifier& modifier : kModifiers) {
        const bool wanted = (modifiers & modifier.flag) != 0;
        const bool leftDown = KeyDown(modifier.left);
        const bool rightDown = KeyDown(modifier.right);
        if (wanted && !leftDown && !rightDown) {
            press.push_back(KeyEvent(modifier.left, true));
            release.push_back(KeyEvent(modifier.left, false));
        }
        for (const auto& [side, down] :
             {std::pair{modifier.left, leftDown}, std::pair{modifier.right, rightDown}}) {
            if (!down) {
                continue;
            }
            // Used as the user holds it, or let go and put back: either way
            // the user's letting go must come after the combination.
            hold.Rely(side);
            if (wanted) {
                continue;
            }
            if (modifier.flag == MOD_ALT) {
                // Alt let go with nothing pressed since it went down opens the
                // focused window's menu.
                press.push_back(KeyEvent(kMaskKey, true));
                press.push_back(KeyEvent(kMaskKey, false));
            }
            press.push_back(KeyEvent(side, false));
            release.push_back(KeyEvent(side, true));
        }
    }
    const auto key = static_cast<WORD>(virtualKey);
    press.push_back(KeyEvent(key, true));
    press.push_back(KeyEvent(key, false));
    press.insert(press.end(), release.rbegin(), release.rend());
    if (delays_.lateTypingMilliseconds > 0) {
        ::Sleep(delays_.lateTypingMilliseconds);
    }
    hold.SendAndWait(std::move(press));
}

} // namespace tuckaway::win32
