#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The name of the result file: random, fixed, or fixed with a date-time stamp.
namespace kvotlk {

struct Environment;
struct modGlobaleVariablen;
class RandomSource;

// intLength capital letters A to Z, each drawn independently and uniformly from the one
// random source, then "." and the extension. A length below 1 gives "." + extension.
std::string CreateRandomFileName(RandomSource& random, std::string_view strExtension,
                                 std::int16_t intLength);

// The fixed name with the stamp put in front of its last four characters, which count
// as the extension whatever they are: "Daten" gives "D_20261205_093005aten".
// The name must have at least four characters.
std::string StampedFileName(std::string_view strFile, std::string_view strDate,
                            std::string_view strTime);

// Why a fixed name (setting FILE) cannot be used, or nullopt: empty,
// a path separator or "..", a character Windows does not allow in file names, a trailing
// point or blank, a device name such as "CON", more than 250 characters (234 with the
// stamp); with the stamp, fewer than four characters. The send and the settings dialog
// each add what follows for them.
std::optional<std::string> FixedFileNameProblem(std::string_view strFile, bool blnStamp);

enum class NamingMode { Random, Fixed, Stamped };

struct ResultFileName {
  NamingMode mode = NamingMode::Fixed;
  std::string name;
  // The stop message when the fixed name cannot be used; then name is empty.
  std::optional<std::string> problem;
};

// Reads RANDOM and, only when it is off, DateTimeStamp and FILE, and builds the name.
ResultFileName ChooseResultFileName(Environment& env, const modGlobaleVariablen& g);

}  // namespace kvotlk
