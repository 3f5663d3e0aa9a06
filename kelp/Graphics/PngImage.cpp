#include "kelp/Graphics/PngImage.h"

namespace kelp {

bool PngImage::Read(ReadPngExFunction read, PngReadCallback callback, void* stream)
{
    m_filled = read(&m_record, callback, stream) != 0;
    return m_filled;
}

bool IsUsablePngRecord(const PngImageRecord& record, uint32_t maxSide)
{
    if (record.width > maxSide || record.height > maxSide)
        return false;
    if (record.width == 0 || record.height == 0)
        return true;
    if (!record.rows)
        return false;
    for (uint32_t y = 0; y < record.height; ++y)
        if (!record.rows[y])
            return false;
    return true;
}

void ConvertPngRow(const PngImageRecord& record, uint32_t y, uint8_t* target, int targetStep)
{
    const bool sourceAlpha = record.colorType == kPngRgba;
    const int sourceStep = sourceAlpha ? 4 : 3;
    const uint8_t* source = record.rows[y];
    for (uint32_t x = 0; x < record.width; ++x, source += sourceStep, target += targetStep) {
        target[0] = source[2];
        target[1] = source[1];
        target[2] = source[0];
        if (targetStep == 4) {
            target[3] = sourceAlpha ? source[3] : 255;
            // Fully transparent pixels are stored as zero so that blending
            // and colour keys never see their colour.
            if (sourceAlpha && source[3] == 0)
                target[0] = target[1] = target[2] = 0;
        }
    }
}

} // namespace kelp
