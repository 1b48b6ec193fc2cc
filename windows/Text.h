#pragma once

// The program keeps text as UTF-8 and talks to the system in UTF-16.

#include <string>
#include <string_view>

namespace tuckaway::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

} // namespace tuckaway::win32
