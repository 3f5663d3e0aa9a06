#include "kelp/Graphics/BmpFigure.h"

#include "kelp/System/Assert.h"

namespace kelp {

void BmpFigure::SetBitmap(TBitmap* bitmap)
{
    m_bitmap = bitmap;
    Resize(bitmap ? bitmap->Width() : 0, bitmap ? bitmap->Height() : 0);
}

void BmpFigure::Draw()
{
    KELP_ASSERT(m_painterPtr, "kelp/Graphics/Figure/BmpFigure", 16);
    if (m_bitmap && m_bitmap->Handle())
        m_painterPtr->CopyBitmap(m_left, m_top, *m_bitmap, RECT{0, 0, m_bitmap->Width(), m_bitmap->Height()});
}

} // namespace kelp
