#pragma once
// A windowed control without a look of its own that takes the focus, the
// keys and the screen readers' questions for windowless parts its parent
// paints (a slider drawn from images). Its window has an empty shape, so it
// covers and catches nothing; it is placed over the parts (its bounds are
// their place for screen readers and for Tab's reading order) and its focus
// cue is drawn by the parent.

#include "framework/TWinControl.h"

#include <functional>
#include <string>

class TFocusStandIn : public TWinControl {
public:
    struct Parts {
        std::function<std::string()> name;
        std::function<std::string()> value;
        // Where the focus cue goes, in the parent's client coordinates.
        std::function<RECT()> cue;
        // A key while focused; true when the parts used it.
        std::function<bool(WORD key, TShiftState shift)> key;
    };
    // The parts declare what they are to screen readers by role.
    TFocusStandIn(TComponent* owner, TAccRole role, Parts parts);

    std::string AccName() const override { return m_parts.name ? m_parts.name() : std::string(); }
    std::string AccValue() const override { return m_parts.value ? m_parts.value() : std::string(); }
    TFocusCuePlace FocusCuePlace() override;

protected:
    void HandleCreated() override;
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    Parts m_parts;
};
