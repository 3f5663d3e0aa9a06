#pragma once
// A figure: an integer rectangle that can be drawn, moved and resized. The
// original size is the one a figure had when it was made; composites scale
// their children from it.

namespace kelp {

class FigureBase {
public:
    FigureBase(int left, int top, int width, int height);
    virtual ~FigureBase() = default;
    FigureBase(const FigureBase&) = delete;
    FigureBase& operator=(const FigureBase&) = delete;

    virtual void Draw() = 0;
    virtual void MoveTo(int left, int top);
    virtual void Resize(int width, int height);
    virtual int Left() const { return m_left; }
    virtual int Top() const { return m_top; }
    virtual int Width() const { return m_width; }
    virtual int Height() const { return m_height; }
    virtual int OriginalWidth() const { return m_originalWidth; }
    virtual int OriginalHeight() const { return m_originalHeight; }

protected:
    void SetBounds(int left, int top, int width, int height);

    int m_left;
    int m_top;
    int m_width;
    int m_height;
    int m_originalWidth;
    int m_originalHeight;
};

} // namespace kelp
