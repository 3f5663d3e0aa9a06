#pragma once
// Functions of system libraries that only some runs need (the interfaces a
// screen reader asks for, the save dialog), looked up when first called: a
// run that never needs them loads none of their libraries, which under Wine
// would cost the start dozens of server round trips and the tray its memory.

#include <windows.h>

// The function `name` of the system library `library` (loaded from the
// system folder, never from the program's or the current folder, and kept
// loaded); nullptr when the library or the function is missing.
FARPROC LateSystemFunction(const char* library, const char* name);

template <typename Function> Function* LateFunction(const char* library, const char* name)
{
    return reinterpret_cast<Function*>(LateSystemFunction(library, name));
}
