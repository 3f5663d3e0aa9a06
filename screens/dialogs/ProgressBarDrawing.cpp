#include "screens/dialogs/ProgressBarDrawing.h"

namespace dialogs {

ProgressBarShape ShapeProgressBar(int percent, int headWidth, int tailWidth)
{
    ProgressBarShape shape;
    const int width = percent * kProgressBarWidth / 100;
    // Below the head's width no piece fits, so nothing is shown.
    if (width < headWidth)
        return shape;
    shape.width = width;
    shape.head = true;
    if (width > kProgressBarWidth - 1)
        shape.tailLeft = kProgressBarWidth - tailWidth;
    return shape;
}

int DrawProgressBar(TBitmap& bar, const ProgressBarPieces& pieces, int percent)
{
    const ProgressBarShape shape = ShapeProgressBar(percent, pieces.head.Width(), pieces.tail.Width());
    if (!shape.head)
        return 0;
    TCanvas& canvas = bar.Canvas();
    canvas.Draw(0, 0, pieces.head);
    canvas.StretchDraw(RECT{pieces.head.Width(), 0, shape.width, pieces.head.Height()}, pieces.body);
    if (shape.tailLeft >= 0)
        canvas.Draw(shape.tailLeft, 0, pieces.tail);
    return shape.width;
}

} // namespace dialogs
