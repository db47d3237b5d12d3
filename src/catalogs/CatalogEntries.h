#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogs/CatalogFiles.h"

// The rules of the three catalogue editors: which typed entry is accepted and how it is
// written as a catalogue line, and saving the list back to its file.
namespace kvotlk {

struct Environment;
class LocaleNumbers;

// Either the catalogue line to insert, or the message that refuses the input.
struct NewEntry {
  std::optional<std::string> line;
  std::string message;
};

// The rules take the editor's list as it is now: a number already in it is refused, so no
// two entries carry one number.

// An inspector: number of 1 to 4 characters that is a whole number and not yet the number
// of an entry (as the order confirmation takes it), and a name that is not only spaces.
// The line is the bracketed number field followed by the name as typed.
NewEntry NewPrueferEntry(LocaleNumbers& numbers, std::string_view number, std::string_view name,
                         const std::vector<std::string>& entries);

// A nest ID: as an inspector, with a number of at most 2 characters that no line has yet
// as the main window's nest-ID lookup compares them.
NewEntry NewNestIDEntry(LocaleNumbers& numbers, std::string_view number, std::string_view name,
                        const std::vector<std::string>& entries);

// A machine: the trimmed number alone, of at most maxLength characters, any characters,
// not yet an entry (trimmed, as the main window's selection is taken).
NewEntry NewMaschineEntry(std::string_view number, std::int16_t maxLength,
                          const std::vector<std::string>& entries);

// Where a new entry goes: right after the selected row, or at the top.
std::size_t InsertRow(std::optional<std::size_t> selectedRow);

// The lines an editor opens with: the file's lines, none when the file is missing.
// nullopt when the file is there but cannot be read: the operator is told, and the editor
// must not offer to save, since saving would put an empty list in place of the file.
std::optional<std::vector<std::string>> LoadCatalog(Environment& env, Catalog catalog);

// The stop message when a catalogue file is there but cannot be read.
std::string CatalogNotReadMessage(const std::string& path);

// Writes the editor's list into its catalogue file; false, after a stop message, when it
// could not be written. Only a written file is followed by the main window.
bool SaveCatalog(Environment& env, Catalog catalog, const std::vector<std::string>& entries);

// The stop message when a catalogue file could not be written.
std::string CatalogNotWrittenMessage(const std::string& path);

}  // namespace kvotlk
