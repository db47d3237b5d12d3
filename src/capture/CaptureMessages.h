#pragma once

#include <string>
#include <string_view>

// The texts the capture shows the operator; lines are separated by CR LF.
namespace kvotlk {

// Question (Yes/No): the predefined sample size has been reached.
std::string IncreaseQuestion();
// Stop: the characteristic ID is not a whole number.
std::string WholeNumberMessage(std::string_view id);
// Stop: the characteristic ID is longer than the limit.
std::string LengthMessage(std::string_view id, int limit);
// Stop: the characteristic ID leaves no room for the nest number.
std::string NestLengthMessage(std::string_view id, int limit);
// Question (Yes/No) of "Daten übertragen": the sample count differs from the predefined.
std::string SendQuestion();
// Question (Yes/No, No the default) of the close box: captured samples would be lost.
std::string DiscardQuestion(int samples);

// Stop: the CMM software stopped answering while a command was handled.
std::string LostLinkMessage();
// Stop: the capture window could not subscribe to the CMM software's events.
std::string NoSubscriptionMessage();
// Stop: one more sample would pass the largest sample number.
std::string TooManySamplesMessage();
// Stop: one more value would pass the largest number of characteristics in a sample.
std::string TooManyValuesMessage();

}  // namespace kvotlk
