#pragma once

#include "fake/FakeLog.h"
#include "fake/FakeProcesses.h"
#include "ports/Os.h"

#include <map>
#include <optional>

namespace tuckaway::fake {

// ProcessPriority: each process's class (normal unless set) and efficiency
// mode; nothing for a process that cannot be opened.
class FakePriority : public virtual FakeLog, public os::ProcessPriority {
public:
    // How each system answers for the efficiency mode (SetProcessInformation
    // and GetProcessInformation with ProcessPowerThrottling): Windows 11 reads
    // and sets it; Windows 10 21H2 and 22H2 set it but fail to read it
    // (ERROR_INVALID_PARAMETER); Wine 8 does neither, as a system without it.
    enum class System { Windows11, Windows10, Wine8 };
    System system = System::Windows11;
    // SeIncreaseBasePriorityPrivilege: without it a REALTIME class set is
    // given as HIGH ("SetPriority method of the Win32_Process class", and the
    // SetPriorityClass remarks).
    bool realtimePrivilege = false;

    std::map<std::uint32_t, unsigned> priorityOf;
    std::map<std::uint32_t, os::Throttling> throttlingOf;
    std::map<std::uint32_t, bool> unopenable;
    unsigned PriorityOf(os::Window window);

    std::optional<unsigned> PriorityClass(os::ProcessId process) override;
    bool SetPriorityClass(os::ProcessId process, unsigned priorityClass,
                          std::optional<unsigned> onlyFrom) override;
    std::optional<os::Throttling> ThrottlingOf(os::ProcessId process) override;
    bool SetThrottling(os::ProcessId process, os::Throttling throttling,
                       std::optional<os::Throttling> onlyFrom) override;
    bool MayGiveRealtime() override { return realtimePrivilege; }

protected:
    // Only a running process can be opened, and a window's priority is its
    // process's: the processes fake of the same system knows both.
    virtual FakeProcesses& ProcessesPart() = 0;
};

} // namespace tuckaway::fake
