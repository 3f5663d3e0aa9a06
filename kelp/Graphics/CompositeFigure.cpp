#include "kelp/Graphics/CompositeFigure.h"

#include "kelp/System/Assert.h"

#include <algorithm>
#include <cmath>
#include <windows.h>

namespace kelp {

namespace {
const char* const kSource = "kelp\\Graphics\\Source\\FigureBase";
}

void CompositeFigure::Add(FigureBase* figurePtr, bool owned)
{
    KELP_ASSERT(figurePtr->Left() >= m_left && figurePtr->Top() >= m_top && figurePtr->Left() + figurePtr->Width() <= m_left + m_width && figurePtr->Top() + figurePtr->Height() <= m_top + m_height,
                kSource, 118);
    m_children.push_back(TChild{figurePtr, figurePtr->Left() - m_left, figurePtr->Top() - m_top});
    if (owned)
        m_owned.emplace_back(figurePtr);
}

void CompositeFigure::Add(std::unique_ptr<FigureBase> figure)
{
    Add(figure.release(), true);
}

void CompositeFigure::Remove(FigureBase* figurePtr)
{
    std::erase_if(m_children, [&](const TChild& child) { return child.figure == figurePtr; });
    std::erase_if(m_owned, [&](const std::unique_ptr<FigureBase>& owned) { return owned.get() == figurePtr; });
}

void CompositeFigure::Record()
{
    for (TChild& child : m_children) {
        child.offsetX = child.figure->Left() - m_left;
        child.offsetY = child.figure->Top() - m_top;
    }
    m_originalWidth = m_width;
    m_originalHeight = m_height;
}

void CompositeFigure::SetRect(const RECT& rect)
{
    for (auto first = m_children.begin(); first != m_children.end(); ++first) {
        const FigureBase* f = first->figure;
        if (!(f->Left() >= rect.left && f->Top() >= rect.top && f->Width() + f->Left() <= rect.right &&
              f->Height() + f->Top() <= rect.bottom))
            AssertionFailed("(*first)->Left() >= rect.left && (*first)->Top() >= rect.top && "
                            "(*first)->Width() + (*first)->Left() <= rect.right && "
                            "(*first)->Height() + (*first)->Top() <= rect.bottom",
                            kSource, 157);
    }
    SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    Record();
}

void CompositeFigure::Draw()
{
    for (TChild& child : m_children)
        child.figure->Draw();
}

void CompositeFigure::MoveTo(int left, int top)
{
    for (TChild& child : m_children)
        child.figure->MoveTo(left + child.figure->Left() - m_left, top + child.figure->Top() - m_top);
    FigureBase::MoveTo(left, top);
}

void CompositeFigure::Resize(int width, int height)
{
    KELP_ASSERT(m_originalWidth > 0 && m_originalHeight > 0, kSource, 178);
    const double sx = static_cast<double>(width) / m_originalWidth;
    const double sy = static_cast<double>(height) / m_originalHeight;
    for (TChild& child : m_children) {
        FigureBase* f = child.figure;
        f->MoveTo(m_left + static_cast<int>(std::trunc(child.offsetX * sx)),
                  m_top + static_cast<int>(std::trunc(child.offsetY * sy)));
        f->Resize(static_cast<int>(std::trunc(f->OriginalWidth() * sx)),
                  static_cast<int>(std::trunc(f->OriginalHeight() * sy)));
    }
    SetBounds(m_left, m_top, width, height);
}

} // namespace kelp
