#pragma once
// The program's version, for its version resource and for whoever reports
// it (the metrics file). Plain preprocessor text: the resource compiler
// reads this file too.

#define PELLIX_VERSION_NUMBERS 1, 0, 0, 0
#define PELLIX_VERSION_TEXT "1.0.0.0"
