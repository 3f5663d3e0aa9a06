#pragma once
// An LED: a composite of segments switched by a state table. Setting a state
// lights each segment as the table says; segments that change redraw.

#include "kelp/Component/Segment.h"
#include "kelp/Graphics/CompositeFigure.h"

#include <memory>
#include <vector>

namespace kelp {

// Which segments are lit in which state.
class LEDStateTable {
public:
    virtual ~LEDStateTable() = default;
    virtual int StateCount() const = 0;
    virtual int SegmentCount() const = 0;
    virtual bool IsLit(int state, int segment) const = 0;
};

class LED : public CompositeFigure {
public:
    // The table outlives the LED.
    LED(const RECT& rect, const LEDStateTable& table);

    void AddSegment(std::unique_ptr<Segment> segment);
    int SegmentCount() const { return static_cast<int>(m_segments.size()); }
    Segment& GetSegment(int index) { return *m_segments.at(index); }

    int StateCount() const { return m_table.StateCount(); }
    int State() const { return m_state; }
    void SetState(int state);

private:
    const LEDStateTable& m_table;
    std::vector<Segment*> m_segments;  // owned through the composite
    int m_state = -1;
};

// The LEDs of one display in order, each with its x offset. Owns them.
class LEDList {
public:
    int LEDCount() const { return static_cast<int>(m_LEDs.size()); }
    int StateCount(int indexOfLED) const;
    int State(int indexOfLED) const;
    void SetState(int indexOfLED, int state);
    LED& At(int indexOfLED) const;
    int Offset(int indexOfLED) const;
    void Insert(int index, std::unique_ptr<LED> led, int xOffset);
    void Remove(int index);
    void Draw();

private:
    void Check(int indexOfLED) const;

    struct TEntry {
        std::unique_ptr<LED> led;
        int xOffset;
    };
    std::vector<TEntry> m_LEDs;
};

} // namespace kelp
