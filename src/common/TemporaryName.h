#pragma once

#include <string>
#include <string_view>

// Names of temporary files that other programs or other stations may see.
namespace kvotlk {

class FileSystem;
class RandomSource;

// "~" + name + "." + tag + ".tmp", the tag being this process's id in eight hex digits and
// four random letters: two writers of one name (two stations sending into one folder)
// never share a temporary file. Readers skip "~….tmp". A name too long for a file name of
// 255 characters is cut; the tag alone keeps the temporary name apart.
std::string TemporaryNameOf(FileSystem& files, RandomSource& random, std::string_view name);

}  // namespace kvotlk
