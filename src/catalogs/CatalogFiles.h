#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The three catalogue files below the program folder: one entry per line, Windows-1252,
// CR LF. Only the catalogue editors write them.
namespace kvotlk {

struct Environment;
class FileSystem;

enum class Catalog { Pruefer, Maschine, NestID };

// The data folder (the program folder unless installed for all accounts) + separator +
// "Kataloge" + separator + the catalogue's file name.
std::string CatalogPath(std::string_view dataFolder, Catalog catalog);

// The lines as stored, in file order; an empty file gives no line. nullopt when the file
// is missing or cannot be read.
std::optional<std::vector<std::string>> ReadCatalog(FileSystem& files, const std::string& path);

// Writes every entry as one line in place of the file's content. False when the file
// could not be written; the file then keeps its old content.
bool WriteCatalog(FileSystem& files, const std::string& path,
                  const std::vector<std::string>& entries);

// The stop message the main window shows when the inspector or the machine catalogue is
// missing at start-up; empty for the nest-ID catalogue, which has none.
std::string MissingCatalogMessage(Catalog catalog);

// The entries for a drop-down list of the main window. A missing catalogue shows its
// message through the prompts port and gives an empty list.
std::vector<std::string> ReadCatalogForList(Environment& env, Catalog catalog);

}  // namespace kvotlk
