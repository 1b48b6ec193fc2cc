#pragma once

// The program's last act when a fault would end it: the hidden game's share
// of the machine given back and the game shown again, the display back at its
// stored (the desktop's) mode if the hide switched it, a minidump written to
// %LOCALAPPDATA%\Tuckaway\crash (the newest five are kept), and the end.

#include "ports/Os.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace tuckaway::win32 {

// One per process: it installs itself as the process's unhandled-exception
// filter and puts the one before it back when it goes.
class CrashHandler final : public os::CrashPlan {
public:
    // The record of the hide is the value `recordValue` of the key
    // HKEY_CURRENT_USER\`recordKeyPath`.
    CrashHandler(std::wstring recordKeyPath, std::wstring_view recordValue);
    ~CrashHandler() override;
    CrashHandler(const CrashHandler&) = delete;
    CrashHandler& operator=(const CrashHandler&) = delete;

    void Update(const os::CrashRescue& rescue) override;

private:
    LPTOP_LEVEL_EXCEPTION_FILTER previous_;
};

} // namespace tuckaway::win32
