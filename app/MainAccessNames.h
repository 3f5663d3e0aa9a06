#pragma once
// What the main window's controls are called for screen readers: the mode
// buttons carry the mode names, the buttons that show only a picture say
// what they do. The names are looked up when a client asks, in the
// language of that moment; nothing is read before.

#include "framework/TForm.h"

#include <string>

// Names the main window's picture-only controls (found by their layout
// names; ELayoutError names a missing one).
void NameMainControls(TForm& mainWindow);
// The words of the default actions from the language files, and the code
// page the language's texts are written in (Japanese: Shift-JIS).
void UseAccessibleTexts(const std::string& language);
