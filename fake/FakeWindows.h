#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tuckaway::fake {

// WindowManager: titles are looked up ignoring letter case, as the system
// does, never finding a window of a folder class or for a blank title.
// FindWindows logs one line for all its titles: "FindWindows a|b|c".
class FakeWindows : public virtual FakeLog, public os::WindowManager {
public:
    std::map<std::string, os::Window, std::less<>> windowsByTitle;
    std::map<std::uintptr_t, std::string> windowClass;
    std::map<std::uintptr_t, bool> visible;
    // Minimised, as a game makes itself: it stays so while hidden; a restore ends it.
    std::map<std::uintptr_t, bool> minimized;
    std::map<std::uintptr_t, bool> maximized;
    os::Window foreground;
    // A hung window takes the show requests posted to it only once Answer() is
    // called: ShowWindowAsync "posts a show-state event to the message queue"
    // of the window's thread, and returns.
    std::map<std::uintptr_t, bool> hung;
    // Gone with its process: never visible, and deaf to requests, as a handle no window has.
    std::map<std::uintptr_t, bool> destroyed;
    std::map<std::uintptr_t, std::vector<ShowCommand>> postedShows;
    void Answer(os::Window window);
    // Run, in order, by the next PumpPendingMessages: the messages "pending" then.
    std::deque<std::function<void()>> pending;

    os::Window FindWindowByTitle(std::string_view title) override;
    std::vector<os::Window> FindWindows(std::span<const std::string_view> titles) override;
    void ShowWindow(os::Window window, ShowCommand command) override;
    void SetForegroundWindow(os::Window window) override;
    WindowState StateOf(os::Window window) override;
    bool IsMaximized(os::Window window) override;
    bool IsHung(os::Window window) override;
    os::Window Foreground() override;
    bool WaitUntilShown(os::Window window, unsigned milliseconds) override;
    void PumpPendingMessages() override;

    // The lookup of one title, as FindWindowByTitle and FindWindows log it.
    os::Window Find(std::string_view title);
    // What a game's own ShowWindow(SW_MINIMIZE) does: shown again, minimised.
    void MinimizeGameWindow(os::Window window);

protected:
    // Its process is suspended: it takes its requests once it runs again.
    virtual bool Frozen(os::Window) { return false; }
    // The requests posted to the window while it took none, taken now if it takes them.
    void Deliver(os::Window window);
};

} // namespace tuckaway::fake
