#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How catalogue lines are made and taken apart. Inspector and nest-ID lines begin with a
// number in brackets, padded to 8 characters, followed by the name or nest ID.
namespace kvotlk {

// "(" + number + ")" left-aligned and padded with spaces to 8 characters; a longer field
// is kept whole.
std::string BracketedField(std::string_view number);

// The inspector number as the order confirmation takes it: the characters from the second
// up to the first ")" after it. Empty when there is no such ")".
std::string InspectorNumberOfEntry(std::string_view entry);

// The number as the order handoff file takes it: the text between the first "(" and the
// next ")", trimmed. Empty when the line has no such pair.
std::string NumberInBrackets(std::string_view line);

// The number field of a nest-ID line: the text between the first "(" and the first ")",
// trimmed. nullopt when either bracket is missing or the ")" comes first.
std::optional<std::string> NestNumberOfLine(std::string_view line);

// The nest ID of a line: the text after its first ")" up to the next ")" or the end,
// trimmed. nullopt when the line has no ")".
std::optional<std::string> NestIDOfLine(std::string_view line);

// The nest ID of the first line whose number field equals the nest number, both trimmed
// and compared as lower-case text (so "03" does not match "(3)"). nullopt when none does.
std::optional<std::string> FindNestID(const std::vector<std::string>& lines,
                                      std::string_view nestNumber);

}  // namespace kvotlk
