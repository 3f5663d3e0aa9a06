#include "kelp/Component/BmpLED.h"

#include "kelp/System/Assert.h"

namespace kelp {

namespace {
const char* const kSource = "kelp/Component/LED/BmpLED";
}

BmpLED::BmpLED(int left, int top, int stateCount, SimplePainter* painter)
    : FigureBase(left, top, 0, 0), m_figure(left, top, painter)
{
    for (int i = 0; i < stateCount; ++i)
        m_bitmaps.push_back(std::make_unique<TBitmap>());
    m_figure.SetBitmap(m_bitmaps.empty() ? nullptr : m_bitmaps[0].get());
}

void BmpLED::SetState(int state)
{
    m_state = state;
}

TBitmap& BmpLED::Bitmap(int index)
{
    KELP_ASSERT(index >= 0, kSource, 41);
    KELP_ASSERT(index < (int) m_bitmaps.size(), kSource, 42);
    return *m_bitmaps[index];
}

int BmpLED::IndexOf(const TBitmap* bitmap) const
{
    for (size_t i = 0; i < m_bitmaps.size(); ++i)
        if (m_bitmaps[i].get() == bitmap)
            return static_cast<int>(i);
    return -1;
}

void BmpLED::Draw()
{
    KELP_ASSERT(m_state >= 0 && m_state < StateCount(), kSource, 57);
    TBitmap* current = m_bitmaps[m_state].get();
    m_figure.SetBitmap(current);
    Resize(current->Width(), current->Height());
    m_figure.Draw();
}

void BmpLED::MoveTo(int left, int top)
{
    FigureBase::MoveTo(left, top);
    m_figure.MoveTo(left, top);
}

} // namespace kelp
