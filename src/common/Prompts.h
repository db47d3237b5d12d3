#pragma once

#include <string>

// The prompts port: every message box of the program. Texts are the program's own,
// line breaks inside a text are CR LF.
namespace kvotlk {

class Prompts {
 public:
  virtual ~Prompts() = default;
  // Stop icon, OK button, title "KVOTLK".
  virtual void showStop(const std::string& text) = 0;
  // No icon, OK button.
  virtual void showPlain(const std::string& text) = 0;
  // Yes and No, no icon, Yes the default; true for Yes.
  virtual bool askYesNo(const std::string& text) = 0;
  // Yes and No, no icon, No the default and the answer of Escape and the close box: for a
  // question whose Yes throws something away. True for Yes.
  virtual bool askYesNoDefaultNo(const std::string& text) = 0;
};

inline constexpr const char* kCrLf = "\r\n";

}  // namespace kvotlk
