// Conversions between the program's UTF-8 text and the UTF-16 of the wide Win32 calls.
#pragma once

#include <string>
#include <string_view>

namespace lcime::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace lcime::win32
