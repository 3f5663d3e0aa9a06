#pragma once
// Integer Gaussian blur: int matrices, square blur kernels and the
// convolution that applies them. Plain C++ so that it runs anywhere.

#include <cstddef>
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

// Wider blurs than this are a programming error: the kernel alone would
// hold (2r + 1)^2 cells.
constexpr int kMaxBlurRadius = 128;

// A square (2r + 1) blur kernel and the divisor that normalises it. The
// radius 1 and 2 kernels are fixed and shared for the life of the process;
// other radii are generated per request and freed with the last reference.
// Generated kernels are scaled so that the divisor times 255 (the largest
// luminance) stays far inside an int.
struct BlurKernel {
    std::shared_ptr<const IntMatrix> matrix;
    int divisor;
};
BlurKernel GetKernel(int radius, float sigma = 1.0f);

// For every position where the kernel fits inside the input:
// output[i + rowOffset][j + columnOffset] = (sum + divisor / 2) / divisor,
// clamped to the int range. Other output cells are not written; a divisor
// of 0 writes nothing.
void Convolve(const IntMatrix& input, const IntMatrix& kernel, IntMatrix& output, int rowOffset, int columnOffset,
              int divisor);

} // namespace kelp
