#pragma once
// A plain container of the package. DesignTimeVisible only matters in a
// form designer (false hides the panel there); the running program keeps
// the stored value and always shows the panel.

#include "framework/controls/TPanel.h"

class VtPanel : public TPanel {
public:
    explicit VtPanel(TComponent* owner) : TPanel(owner) {}

    bool DesignTimeVisible() const { return m_designTimeVisible; }
    void SetDesignTimeVisible(bool visible) { m_designTimeVisible = visible; }

private:
    bool m_designTimeVisible = true;
};
