#pragma once
// The drawing surface of a display: an image control placed at the top-left
// corner of its host control, whose picture is the canvas the display draws
// on. Areas that grow are filled with the background colour.
//
// A surface that has never been shown, read or drawn on directly holds no
// pixels: its sizes and drawings are kept as steps and carried out in order
// when its pixels are first needed, so a control on a form that stays
// hidden never makes its surface nor reads the pictures drawn onto it.

#include "framework/TWinControl.h"
#include "framework/controls/TImage.h"
#include "kelp/Graphics/DrawingSurface.h"

#include <functional>
#include <memory>
#include <vector>

namespace kelp {

class ImageHost : public DrawingSurface {
public:
    using TDrawing = std::function<void(TCanvas& canvas)>;

    explicit ImageHost(TWinControl* hostControl);
    ~ImageHost() override;

    TImage& Image() { return *m_image; }
    // Its pixels, drawn as soon as they are read (a copy taken before that
    // reads them from this surface; read after the surface is gone, it is
    // empty).
    TBitmap& Bitmap() { return m_image->Picture(); }
    TCanvas& Canvas() override { return m_image->Canvas(); }
    void Flush() override;

    // Draws onto the surface now if it holds pixels, else when it first
    // needs them. DrawOver is for drawings that cover the whole surface:
    // what was waiting to be drawn under them is dropped.
    void Draw(TDrawing drawing);
    void DrawOver(TDrawing drawing);
    // Whether the surface holds its pixels yet.
    bool Drawn() const { return m_drawn; }
    // Runs before every paint of the image, for settings the paint needs
    // that are themselves worked out late.
    void SetBeforePaint(std::function<void()> hook) { m_beforePaint = std::move(hook); }

    TColor BackgroundColor() const { return m_backgroundColor; }
    void SetBackgroundColor(TColor color) { m_backgroundColor = color; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Resizes the picture and the image control.
    void SetSize(int width, int height);
    // Fills the whole surface with the background colour.
    void Clear();

private:
    // Resizes the picture and fills what the resize added.
    void Resize(int oldWidth, int oldHeight, int width, int height, TColor background);
    void Fill(const RECT& rect, TColor color);
    // Gives the picture its present size, to be drawn when first needed.
    void DeferPicture();
    void DrawWaiting();

    std::function<void()> m_beforePaint;  // the image refers to it
    // Owned here rather than by a component owner: the display and its image
    // go together, whatever order the owner frees its components in.
    std::unique_ptr<TImage> m_image;
    std::vector<std::function<void()>> m_waiting;
    // What the picture's pending read, and any copy's, reaches the surface by.
    const std::shared_ptr<ImageHost*> m_self = std::make_shared<ImageHost*>(this);
    bool m_drawn = false;
    TColor m_backgroundColor = clWhite;
    int m_width = 0;
    int m_height = 0;
};

} // namespace kelp
