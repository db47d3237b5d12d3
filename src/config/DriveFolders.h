#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The drive list and the folder list of the configuration dialog. A drive is a drive-letter
// text ("C:\", also "c: [System]" as older installations stored it) or, where there are no
// drive letters, the path of a file-system root or mount point ("/", "/mnt/daten").
namespace kvotlk {

// True when the text begins with a letter and a colon.
bool HasDriveLetter(std::string_view drive);

// The entry of the drive list that a stored DRIVE text chooses: a drive letter by its
// letter alone (either case), any other text by its path. nullopt when none matches.
std::optional<std::size_t> FindDrive(const std::vector<std::string>& drives,
                                     std::string_view stored);

// The folder the folder list moves to when a drive is chosen: the drive's root.
std::string DriveRoot(std::string_view drive);

// The folders from the root down to the folder itself, each as a full path: for
// "/opt/kvotlk" the folders "/", "/opt" and "/opt/kvotlk". Empty for a relative path.
std::vector<std::string> FolderChain(std::string_view folder);

}  // namespace kvotlk
