#pragma once
// Where a bar's indicator centre sits at position 0, in bar coordinates.
// Every change places the indicator again.

#include "framework/TObject.h"

#include <functional>

class VtBarOrigin : public TObject {
public:
    explicit VtBarOrigin(std::function<void()> relocate) : m_relocate(std::move(relocate)) {}

    void Assign(const VtBarOrigin& source)
    {
        m_x = source.m_x;
        m_y = source.m_y;
        m_relocate();
    }
    int X() const { return m_x; }
    int Y() const { return m_y; }
    void SetX(int x)
    {
        m_x = x;
        m_relocate();
    }
    void SetY(int y)
    {
        m_y = y;
        m_relocate();
    }

private:
    std::function<void()> m_relocate;
    int m_x = 0;
    int m_y = 0;
};
