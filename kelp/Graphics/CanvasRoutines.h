#pragma once
// Shapes drawn either as an outline (pen only) or as a solid (brush, with the
// pen in the brush colour so the edge matches). The canvas's pen and brush
// are restored after each call.

#include "framework/graphics/Bitmap.h"

namespace kelp {

void OutlineRectangle(TCanvas& canvas, const RECT& rect);
void OutlineEllipse(TCanvas& canvas, const RECT& rect);
void OutlineRoundRect(TCanvas& canvas, const RECT& rect, int cornerWidth, int cornerHeight);
void OutlinePolygon(TCanvas& canvas, const POINT* points, int count);

void SolidRectangle(TCanvas& canvas, const RECT& rect);
void SolidEllipse(TCanvas& canvas, const RECT& rect);
void SolidRoundRect(TCanvas& canvas, const RECT& rect, int cornerWidth, int cornerHeight);
void SolidPolygon(TCanvas& canvas, const POINT* points, int count);

// Copies the source rectangle of the bitmap to (x, y) with a plain source copy.
void CopyBitmapRect(TCanvas& canvas, int x, int y, TBitmap& bitmap, const RECT& source);

} // namespace kelp
