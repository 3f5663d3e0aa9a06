#pragma once
// State bitmaps in groups of four looks (raised, sunken, focused,
// disabled), one group per check state, as the check box and the radio
// button keep them.

#include "VtPackage/VtCustomControl.h"

// A missing look falls back to the raised look of its group, and a missing
// raised look to the base state.
inline int GroupSubstitute(int index)
{
    return index % 4 == 0 ? 0 : index - index % 4;
}

// After a state bitmap changed: when it is the substitute of the requested
// look, the requested look is resolved again so the new bitmap shows.
inline void ReshowIfSubstituteChanged(VtCustomControl& control, TObject* changed)
{
    const int substitute = control.Substitute(control.RequestedIndex());
    if (substitute != 0 && substitute == control.StateIndexOf(changed))
        control.ShowBitmap(control.RequestedIndex());
}
