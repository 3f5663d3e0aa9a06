#pragma once
// Per-pixel effects on bitmaps: alpha blending of a 32-bit bitmap onto
// another, luminance, and integer Gaussian blur by convolution.

#include "framework/graphics/Bitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kelp {

// A rows x columns matrix of ints, row-major, zero-initialised.
class IntMatrix {
public:
    IntMatrix(int rows, int columns) : m_rows(rows), m_columns(columns), m_cells(static_cast<size_t>(rows) * columns) {}
    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }
    int& At(int row, int column) { return m_cells[static_cast<size_t>(row) * m_columns + column]; }
    int At(int row, int column) const { return m_cells[static_cast<size_t>(row) * m_columns + column]; }

private:
    int m_rows;
    int m_columns;
    std::vector<int> m_cells;
};

// A square (2r + 1) blur kernel and the divisor that normalises it. The
// radius 1 and 2 kernels are fixed and shared for the life of the process;
// other radii are generated per request and freed with the last reference.
struct BlurKernel {
    std::shared_ptr<const IntMatrix> matrix;
    int divisor;
};
BlurKernel GetKernel(int radius, float sigma = 1.0f);

// Blends the source rectangle of the 32-bit source (alpha in the fourth byte)
// onto the destination at the point, scaled by opacity (0..255). A
// destination that is not 32 bits is switched to 24. Pixels that would fall
// outside the destination are skipped. The destination's alpha is kept.
void AlphaBlend(TBitmap& source, const RECT& rect, TBitmap& destination, POINT point, uint8_t opacity);

// trunc(0.299 R + 0.587 G + 0.114 B + 0.5) per pixel.
IntMatrix ToLuminance(TBitmap& bitmap);

// For every position where the kernel fits inside the input:
// output[i + rowOffset][j + columnOffset] = (sum + divisor / 2) / divisor.
// Other output cells are not written.
void Convolve(const IntMatrix& input, const IntMatrix& kernel, IntMatrix& output, int rowOffset, int columnOffset,
              int divisor);

} // namespace kelp
