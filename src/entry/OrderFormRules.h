#pragma once

#include <string>
#include <string_view>

// The rules of the order form besides the confirmation: the clear button, the nest check
// box and the nest-ID lookup. They work on the form state; the main window only moves it
// between its controls and these functions.
namespace kvotlk {

struct Environment;
struct modGlobaleVariablen;
struct OrderForm;

// The caption of lblNestID for a nest number: the nest ID of the first matching line of
// the nest-ID catalogue when strNestIDVerwenden is "1"; empty otherwise, when the
// catalogue is missing or no line matches. Never shows a message.
std::string LookUpNestID(Environment& env, const modGlobaleVariablen& g,
                         std::string_view nestNumber);

// Change of txt_Nestnummer (every edit, also one the program makes): lblNestID becomes
// the looked-up nest ID.
void NestNumberChanged(Environment& env, const modGlobaleVariablen& g, OrderForm& form);

// Click on chkNest, with form.chkNest already holding the new state: empties lblNestID
// and answers whether txt_Nestnummer and lblNestID are enabled now. The nest number is
// kept and not looked up again.
bool NestCheckBoxClicked(OrderForm& form);

// cmd_Loeschen: empties article, order, nest number and sample size, in this order, and
// removes the selection from both lists. Emptying a nest number that was not empty is an
// edit, so the lookup runs for it; the window must not run it a second time when it
// writes the result back. Date, time, part count, chkNest and the order variables stay.
void ClearEntries(Environment& env, const modGlobaleVariablen& g, OrderForm& form);

}  // namespace kvotlk
