#include "kelp/Component/LED.h"

#include "kelp/System/Assert.h"

namespace kelp {

namespace {
const char* const kSource = "kelp\\Component\\Source\\LED";
const char* const kListSource = "kelp/Component/LED";
} // namespace

LED::LED(const RECT& rect, const LEDStateTable& table)
    : CompositeFigure(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), m_table(table) {}

void LED::AddSegment(std::unique_ptr<Segment> segment)
{
    m_segments.push_back(segment.get());
    Add(std::move(segment));
}

void LED::SetState(int state)
{
    KELP_ASSERT(state >= 0 && state < StateCount(), kSource, 62);
    if (state == m_state)
        return;
    m_state = state;
    for (int i = 0; i < SegmentCount(); ++i)
        m_segments[i]->SetState(i < m_table.SegmentCount() && m_table.IsLit(state, i) ? 1 : 0);
}

void LEDList::Check(int indexOfLED) const
{
    if (!(indexOfLED >= 0 && static_cast<size_t>(indexOfLED) < m_LEDs.size()))
        AssertionFailed("indexOfLED < m_LEDs.size()", kListSource, 118);
}

int LEDList::StateCount(int indexOfLED) const
{
    Check(indexOfLED);
    return m_LEDs[indexOfLED].led->StateCount();
}

int LEDList::State(int indexOfLED) const
{
    Check(indexOfLED);
    return m_LEDs[indexOfLED].led->State();
}

void LEDList::SetState(int indexOfLED, int state)
{
    Check(indexOfLED);
    m_LEDs[indexOfLED].led->SetState(state);
}

LED& LEDList::At(int indexOfLED) const
{
    Check(indexOfLED);
    return *m_LEDs[indexOfLED].led;
}

int LEDList::Offset(int indexOfLED) const
{
    Check(indexOfLED);
    return m_LEDs[indexOfLED].xOffset;
}

void LEDList::Insert(int index, std::unique_ptr<LED> led, int xOffset)
{
    KELP_ASSERT(index >= 0 && index <= LEDCount(), kListSource, 151);
    m_LEDs.insert(m_LEDs.begin() + index, TEntry{std::move(led), xOffset});
}

void LEDList::Remove(int index)
{
    KELP_ASSERT(index >= 0 && index < LEDCount(), kListSource, 157);
    m_LEDs.erase(m_LEDs.begin() + index);
}

void LEDList::Draw()
{
    for (TEntry& entry : m_LEDs)
        entry.led->Draw();
}

} // namespace kelp
