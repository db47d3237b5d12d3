#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text helpers. Strings are UTF-8 in memory; files on disk are Windows-1252 with CR LF.
namespace kvotlk {

// UTF-8 to Windows-1252. A character the code page cannot hold, and a broken UTF-8
// sequence, become "?".
std::string toCp1252(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes the code page leaves unassigned (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the control characters of the same number, as Windows does,
// so every byte survives a round trip.
std::string fromCp1252(std::string_view bytes);

// Appends the line and CR LF.
void appendLine(std::string& out, std::string_view line);

// Splits file content into lines ended by CR LF, LF or a lone CR, so no line ever holds a
// line-end character that could break a file written from it. A last line without an end
// is still a line; an empty content gives no line.
std::vector<std::string> splitLines(std::string_view content);

// Fields of a tab-separated line: a backslash, tab, LF and CR in a field are written as
// \\, \t, \n and \r, so a field never splits its line.
void appendEscapedField(std::string& out, std::string_view field);
// The character of the escape "\c"; nullopt for a c that is no escape.
std::optional<char> unescapedChar(char c);

// Removes leading and trailing spaces (blanks only, not tabs), as the entry rules do.
std::string trimBlanks(std::string_view text);

// Length in characters (code points) of a UTF-8 text.
std::size_t charCount(std::string_view utf8);

// The first n characters; the whole text when it is shorter.
std::string leftChars(std::string_view utf8, std::size_t n);
// The last n characters; the whole text when it is shorter.
std::string rightChars(std::string_view utf8, std::size_t n);
// Characters from index start (0-based) on, at most n of them.
std::string midChars(std::string_view utf8, std::size_t start, std::size_t n = std::string::npos);

// Lower case for ASCII and the Latin-1 letters (Ä to ä and so on); other characters stay.
std::string lowerCase(std::string_view utf8);

std::u32string decodeUtf8(std::string_view utf8);
std::string encodeUtf8(std::u32string_view text);

}  // namespace kvotlk
