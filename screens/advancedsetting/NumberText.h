#pragma once
// Language texts with a number in them ("After %1 minutes").

#include <string>

namespace advancedsetting {

// The text with its first "%1" replaced by the number; a text without "%1"
// is returned as it is.
std::string WithNumber(std::string text, int number);

} // namespace advancedsetting
