#pragma once

// What the stand-in game and the measuring tool share: the moments the game's
// window was last hidden, shown and put in front, as the game's own thread saw
// them, and an event set at each. The tool waits on the event instead of
// asking about the window in a loop: on two cores a poller would take the time
// of the very programs it measures, and every question about another
// process's window is a request to the wineserver they need too.

#include <windows.h>

namespace tuckaway::bench {

inline constexpr wchar_t kGameTitle[] = L"Quake 3: Arena";
inline constexpr wchar_t kGameStampsName[] = L"TuckawayBenchGameStamps";
inline constexpr wchar_t kGameChangedName[] = L"TuckawayBenchGameChanged";

// Performance-counter readings; Wine's counter is one clock for all its processes.
struct GameStamps {
    LONG64 hidden;
    LONG64 shown;
    LONG64 front;
};

inline GameStamps* OpenGameStamps() {
    HANDLE mapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          sizeof(GameStamps), kGameStampsName);
    // Kept mapped for the life of the process.
    return mapping
               ? static_cast<GameStamps*>(::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(GameStamps)))
               : nullptr;
}

// A 64-bit value read whole in a 32-bit process too.
inline LONG64 ReadStamp(LONG64& stamp) {
    return ::InterlockedCompareExchange64(&stamp, 0, 0);
}

} // namespace tuckaway::bench
