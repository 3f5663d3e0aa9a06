#pragma once
// The drawing surface of a display: an image control placed at the top-left
// corner of its host control, whose picture is the canvas the display draws
// on. Areas that grow are filled with the background colour.

#include "framework/TWinControl.h"
#include "framework/controls/TImage.h"
#include "kelp/Graphics/DrawingSurface.h"

#include <memory>

namespace kelp {

class ImageHost : public DrawingSurface {
public:
    explicit ImageHost(TWinControl* hostControl);
    ~ImageHost() override;

    TImage& Image() { return *m_image; }
    TBitmap& Bitmap() { return m_image->Picture(); }
    TCanvas& Canvas() override { return m_image->Canvas(); }
    void Flush() override;

    TColor BackgroundColor() const { return m_backgroundColor; }
    void SetBackgroundColor(TColor color) { m_backgroundColor = color; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Resizes the picture and the image control.
    void SetSize(int width, int height);
    // Fills the whole surface with the background colour.
    void Clear();

private:
    void FillBackground(const RECT& rect);

    // Owned here rather than by a component owner: the display and its image
    // go together, whatever order the owner frees its components in.
    std::unique_ptr<TImage> m_image;
    TColor m_backgroundColor = clWhite;
    int m_width = 0;
    int m_height = 0;
};

} // namespace kelp
