#pragma once
// Appearances expose a skinned control's state bitmaps as named
// properties. They hold no bitmaps themselves: reading and writing go to
// the owning control's states, from the appearance's first index on.
// Assigning one appearance to another copies the bitmaps into the
// destination's control.

#include "framework/graphics/Bitmap.h"

class VtCustomControl;

class VtCtrlAppearance : public TObject {
public:
    explicit VtCtrlAppearance(VtCustomControl& owner) : m_owner(owner) {}

    VtCustomControl& Owner() const { return m_owner; }

protected:
    void SetBitmap(int index, const TBitmap& bitmap);
    TBitmap& GetBitmap(int index) const;

private:
    VtCustomControl& m_owner;
};

// Raised, sunken, focused and disabled looks.
class VtFourStateAppearance : public VtCtrlAppearance {
public:
    VtFourStateAppearance(VtCustomControl& owner, int firstIndex) : VtCtrlAppearance(owner), m_first(firstIndex) {}

    void Assign(const VtFourStateAppearance& source);
    int FirstIndex() const { return m_first; }

    TBitmap& RaisedBmp() const { return GetBitmap(m_first); }
    TBitmap& SunkenBmp() const { return GetBitmap(m_first + 1); }
    TBitmap& FocusedBmp() const { return GetBitmap(m_first + 2); }
    TBitmap& DisabledBmp() const { return GetBitmap(m_first + 3); }
    void SetRaisedBmp(const TBitmap& bitmap) { SetBitmap(m_first, bitmap); }
    void SetSunkenBmp(const TBitmap& bitmap) { SetBitmap(m_first + 1, bitmap); }
    void SetFocusedBmp(const TBitmap& bitmap) { SetBitmap(m_first + 2, bitmap); }
    void SetDisabledBmp(const TBitmap& bitmap) { SetBitmap(m_first + 3, bitmap); }

private:
    int m_first;
};

// Normal, focused and disabled looks of a control that is never pressed.
class VtThreeStateAppearance : public VtCtrlAppearance {
public:
    VtThreeStateAppearance(VtCustomControl& owner, int firstIndex) : VtCtrlAppearance(owner), m_first(firstIndex) {}

    void Assign(const VtThreeStateAppearance& source);
    int FirstIndex() const { return m_first; }

    TBitmap& NormalBmp() const { return GetBitmap(m_first); }
    TBitmap& FocusedBmp() const { return GetBitmap(m_first + 1); }
    TBitmap& DisabledBmp() const { return GetBitmap(m_first + 2); }
    void SetNormalBmp(const TBitmap& bitmap) { SetBitmap(m_first, bitmap); }
    void SetFocusedBmp(const TBitmap& bitmap) { SetBitmap(m_first + 1, bitmap); }
    void SetDisabledBmp(const TBitmap& bitmap) { SetBitmap(m_first + 2, bitmap); }

private:
    int m_first;
};
