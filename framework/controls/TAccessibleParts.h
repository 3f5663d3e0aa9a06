#pragma once
// What screen readers see of parts that are drawn by others and form one
// thing only together (a readout of digit images, a bar drawn into a
// picture): a windowless control over their place that paints nothing and
// lets the mouse through; its role is the parts' kind, its name and value
// are looked up when a client asks. Changes are announced with Changed.

#include "framework/TControl.h"

#include <functional>
#include <string>

class TAccessibleParts : public TControl {
public:
    TAccessibleParts(TComponent* owner, TAccRole role, TAccText name, TAccText value);

    std::string AccValue() const override { return m_value ? m_value() : std::string(); }
    // Never unavailable: the parts are shown, only the mouse passes by.
    TAccState AccState() const override { return TControl::AccState() & ~asUnavailable; }
    // The value changed.
    void Changed() const { AccNotify(EVENT_OBJECT_VALUECHANGE); }

private:
    TAccText m_value;
};
