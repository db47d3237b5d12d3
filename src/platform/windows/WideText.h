#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between the program's UTF-8 text and the UTF-16 text of the Windows API.
namespace kvotlk::windows {

// nullopt when the text is not valid UTF-8 or holds a NUL character, which the wide
// API would read as the end of the text.
std::optional<std::wstring> toWide(std::string_view utf8);

// An unpaired surrogate becomes U+FFFD.
std::string fromWide(std::wstring_view wide);

}  // namespace kvotlk::windows
