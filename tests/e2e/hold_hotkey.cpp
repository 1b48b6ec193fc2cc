// Holds one global hot key until killed, so that another program's
// registration of the same combination fails.
//
//   hold_hotkey.exe MODIFIERS VIRTUAL_KEY     (decimal or 0x hex, e.g. 2 0x5A)
//
// Prints "held" or "failed" and flushes at once: tests poll for that line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: hold_hotkey MODIFIERS VIRTUAL_KEY\n", stderr);
        return 2;
    }
    const auto modifiers = static_cast<UINT>(std::strtoul(argv[1], nullptr, 0));
    const auto virtualKey = static_cast<UINT>(std::strtoul(argv[2], nullptr, 0));
    if (!RegisterHotKey(nullptr, 1, modifiers, virtualKey)) {
        std::puts("failed");
        std::fflush(stdout);
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    }
    return 0;
}
