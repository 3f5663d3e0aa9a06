#include "framework/graphics/DeferredPicture.h"

#include "framework/graphics/GraphicsError.h"
#include "framework/graphics/PictureCatalog.h"
#include "framework/system/Trace.h"

#include <exception>
#include <memory>
#include <optional>

void NamingTheFile(const std::string& path, const std::function<void()>& step)
{
    try {
        step();
    } catch (const EPictureError&) {
        throw;
    } catch (const std::exception& error) {
        throw EPictureError(path, error.what());
    }
}

namespace {

// The pixels of a file changed since its header was taken (or of one whose
// catalogue entry was wrong), held in the size and format the header gave:
// everything that saw the header, a control's size or code walking the
// scan lines, finds what it was promised. What does not fit is cut off,
// what is missing stays black.
void FitToHeader(const std::string& path, TBitmap& pixels, const TPictureHeader& header)
{
    Trace("~~~Picture %s is %dx%d at %d bits, held as the %dx%d at %d bits its header gave", path.c_str(),
          pixels.Width(), pixels.Height(), int(pixels.PixelFormat()), header.width, header.height,
          int(header.format));
    pixels.SetPixelFormat(header.format);
    pixels.SetSize(header.width, header.height);
}

bool Fits(const TBitmap& pixels, const TPictureHeader& header)
{
    return pixels.Width() == header.width && pixels.Height() == header.height && pixels.PixelFormat() == header.format;
}

} // namespace

void DeferPictureFile(const std::string& path, TBitmap& bitmap, const TPictureHeaderReader& readHeader,
                      TPictureLoader load)
{
    const std::optional<TPictureHeader> catalogued = TPictureCatalog::Instance().Header(path);
    const TPictureHeader header = catalogued ? *catalogued : readHeader(path);
    bitmap.Defer(header, std::make_shared<const TPixelSource>([path, header, load = std::move(load)](TBitmap& target) {
        NamingTheFile(path, [&] {
            load(path, target);
            if (target.Empty())
                throw EInvalidGraphic("\"" + path + "\" holds no picture");
            // A sound picture, only not the one the header described:
            // replaced by one of the same length behind its catalogue's
            // back, or changed while the program runs. Later loads read its
            // own header.
            if (!Fits(target, header)) {
                TPictureCatalog::Instance().Forget(path);
                FitToHeader(path, target, header);
            }
        });
    }));
}
