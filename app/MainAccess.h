#pragma once
// The main window for keyboard and screen reader users. Its controls are
// named: the mode buttons carry the mode names, the buttons that show only
// a picture say what they do; the names are looked up when a client asks,
// in the language of that moment. Its buttons are tab stops, the mode
// buttons one group the arrow keys move within.

#include "framework/TForm.h"

#include <string>

// Names the main window's picture-only controls (found by their layout
// names; ELayoutError names a missing one).
void NameMainControls(TForm& mainWindow);
// Makes the buttons tab stops and the mode buttons a group; the focus cues
// show once the keyboard is used.
void MakeMainControlsKeyboardReachable(TForm& mainWindow);
// The words of the default actions from the language files, and the code
// page the language's texts are written in (Japanese: Shift-JIS).
void UseAccessibleTexts(const std::string& language);
