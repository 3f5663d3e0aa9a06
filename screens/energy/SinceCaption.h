#pragma once
// The caption that dates the period shown: the language text of "Since"
// and the period's start as ": yyyy/mm/dd hh:mm", without time-zone
// conversion (the time is kept as local wall-clock time).

#include <windows.h>

#include <string>

namespace energy {

std::string SinceCaption(const FILETIME& start);
// The start alone: "yyyy/mm/dd hh:mm".
std::string SinceDate(const FILETIME& start);

} // namespace energy
