#pragma once
// What a numeric LED display renders and with which glyph family.

enum VtNumLedType { nledFloat, nledTime, nledDate };

// Rectangular seven-segment glyphs, the only family there is.
enum VtNumLedStyle { nledRectangle7_s };
