#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

// Reading the text files the tools take (measuring programs, the files of kvotlk-replay):
// the whole file at once, a byte order mark skipped, UTF-8 checked.
namespace kvotlk::program {

// Why a file could not be read: nothing there (or no regular file), a failed read, or
// more bytes than allowed.
enum class FileProblem { Missing, Unreadable, TooLarge };

// The file's bytes, read at once.
std::variant<std::string, FileProblem> readWholeFile(const std::filesystem::path& path,
                                                     std::uintmax_t maxSize);

// The content without a UTF-8 byte order mark at its start.
std::string_view withoutByteOrderMark(std::string_view content);

// Whether the bytes are well-formed UTF-8: shortest forms, no surrogates, nothing beyond
// U+10FFFF.
bool isUtf8(std::string_view bytes);

}  // namespace kvotlk::program
