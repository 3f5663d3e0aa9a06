#pragma once
// A figure made of child figures. Each child keeps the offset it had from
// the composite's top-left corner when it was added; resizing scales the
// offsets and the children's original sizes by the same factors.

#include "kelp/Graphics/FigureBase.h"

#include <memory>
#include <vector>
#include <windows.h>

namespace kelp {

class CompositeFigure : public FigureBase {
public:
    using FigureBase::FigureBase;

    // The child must lie inside the composite. With owned set the composite
    // deletes it; otherwise the caller keeps it alive while it is added.
    void Add(FigureBase* figurePtr, bool owned = false);
    void Add(std::unique_ptr<FigureBase> figure);
    void Remove(FigureBase* figurePtr);
    // New bounds that must still contain every child; offsets are recorded
    // again for the new corner and size.
    void SetRect(const RECT& rect);
    int ChildCount() const { return static_cast<int>(m_children.size()); }
    FigureBase* Child(int index) const { return m_children.at(index).figure; }

    void Draw() override;
    void MoveTo(int left, int top) override;
    void Resize(int width, int height) override;

private:
    struct TChild {
        FigureBase* figure;
        int offsetX;
        int offsetY;
    };
    void Record();

    std::vector<TChild> m_children;
    std::vector<std::unique_ptr<FigureBase>> m_owned;
};

} // namespace kelp
