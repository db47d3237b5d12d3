#pragma once

// The program's description line and copyright, shown in the about box and written into
// the Windows version information. Plain macros, so a resource script can include this
// file as well (with #pragma code_page(65001): the texts are UTF-8).
#define KVOTLK_DESCRIPTION_TEXT \
  "Überträgt Messwerte aus Kalvero in das Ergebnisformat von Tessmer & Lund."
#define KVOTLK_COPYRIGHT_TEXT "Copyright © 2026 Solvik Germany"

#ifndef RC_INVOKED

#include <string>
#include <string_view>

namespace kvotlk {

inline constexpr std::string_view kProgramDescription = KVOTLK_DESCRIPTION_TEXT;
inline constexpr std::string_view kProgramCopyright = KVOTLK_COPYRIGHT_TEXT;

// "Version " + major + "." + minor + "." + revision, each without leading zeros.
std::string VersionCaption(int major, int minor, int revision);

// The caption for this program's own version numbers.
std::string ProgramVersionCaption();

}  // namespace kvotlk

#endif
