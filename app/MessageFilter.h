#pragma once
#include <windows.h>

#include <initializer_list>

// Lets these messages reach the process's windows from processes of lower
// integrity. Systems without message filtering (no
// ChangeWindowMessageFilter in user32) need nothing and are skipped.
// Returns the number of messages the system accepted.
int AllowFromLowerIntegrity(std::initializer_list<UINT> messages);
