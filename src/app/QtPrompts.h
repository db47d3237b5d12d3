#pragma once

#include <memory>
#include <string>

#include "common/Prompts.h"

class QMessageBox;
class QWidget;

namespace kvotlk {

// The kinds of message box the program shows.
enum class PromptBox { Stop, Plain, Question, QuestionDefaultNo };

// A message box as the program shows it: title "KVOTLK", the kind's icon and buttons with
// German texts ("OK"; "&Ja" and "&Nein" with "Ja" the default and no answer by Escape or the
// close box, or with "Nein" the default and the answer of Escape and the close box), the
// text shown as plain text with its CR LF line breaks, above other programs' windows.
std::unique_ptr<QMessageBox> BuildMessageBox(PromptBox kind, const std::string& text,
                                             QWidget* parent = nullptr);

// The prompts port through modal QMessageBoxes owned by the program's active window, or by
// its shown window while another program is in front.
class QtPrompts final : public Prompts {
 public:
  void showStop(const std::string& text) override;
  void showPlain(const std::string& text) override;
  bool askYesNo(const std::string& text) override;
  bool askYesNoDefaultNo(const std::string& text) override;
};

}  // namespace kvotlk
