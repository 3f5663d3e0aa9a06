#pragma once
// The picture of a unit beside a readout: a transparent image on the
// readout's form that takes its picture's size.

#include "VtPackage/VtImage.h"
#include "framework/TForm.h"

namespace energy {

// A hidden unit image owned by the form, showing a copy of the picture.
VtImage* NewUnitImage(TForm& form, const TBitmap& picture);

} // namespace energy
