#pragma once

#include <string>

class QWidget;

namespace kvotlk::test {

// Every named control of a window as the operator sees it, one line each in the order the
// controls were made: caption or text, the default button ("Vorgabe"), check mark ("[x]"),
// centred text ("mittig"), a length limit ("begrenzt"), tool tip, and "gesperrt" or
// "verborgen" where it is disabled or hidden; menus and their commands included.
std::string Describe(const QWidget& window);

// Expects Describe(window) to be the text of tests/app/texts/<name>.txt.
void ExpectTexts(const QWidget& window, const char* name);

}  // namespace kvotlk::test
