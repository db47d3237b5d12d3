#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths are kept as UTF-8 text, built by joining folder and name with the platform's
// separator, and turned into std::filesystem::path only at the file-system port.
namespace kvotlk {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// folder + separator + name, nothing removed or added.
std::string joinPath(std::string_view folder, std::string_view name);

// The folder without one trailing separator, except where it is a root ("/", "C:\").
std::string withoutTrailingSeparator(std::string_view folder);

// True when the text holds a character Windows does not allow in a file name: a
// separator ("\" or "/"), one of : * ? " < > |, or a control character.
bool hasCharNotAllowedInFileName(std::string_view text);

// Whether two folder texts name the same folder: the same path after "." and ".." and a
// trailing separator are taken away, letters compared without case (as Windows does).
bool SameFolder(std::string_view a, std::string_view b);

// Data folder (the program folder unless installed for all accounts) + "TempData" +
// separator: where result files are staged and wait, with the send's logs.
std::string StagingFolderOf(std::string_view dataFolder);

std::filesystem::path toFsPath(std::string_view utf8);
std::string toUtf8(const std::filesystem::path& path);

// The folder of the running program's executable, without a trailing separator.
// Defined by the platform layer.
std::string executableFolder();

// The folder of the program's data (TempData with the debug log and the waiting files,
// Kataloge): the one the installer names for a program installed for all accounts of the
// PC (Program Files is read-only for an operator), else the program folder itself, as for a
// program unpacked from its ZIP. Defined by the platform layer.
std::string dataFolderFor(const std::string& programFolder);

}  // namespace kvotlk
