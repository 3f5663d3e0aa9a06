#pragma once
// At most one running instance per log-on, marked by a named mutex that
// the first instance holds until it ends.

// The mutex name; the same text identifies the program to the system
// service.
constexpr const char* kInstanceName = "70714792-4D69-4785-8BF0-2572169B3F30";

// True for the first instance. A later one asks the running instance to
// show its window and gets false.
bool ClaimSingleInstance();
