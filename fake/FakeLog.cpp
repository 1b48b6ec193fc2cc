#include "fake/FakeLog.h"

#include <algorithm>
#include <iterator>

namespace tuckaway::fake {

std::vector<std::string> FakeLog::LogStartingWith(std::string_view prefix) const {
    std::vector<std::string> lines;
    std::ranges::copy_if(log, std::back_inserter(lines),
                         [&](const std::string& line) { return line.starts_with(prefix); });
    return lines;
}

} // namespace tuckaway::fake
