#include "framework/graphics/DeferredPicture.h"

#include "framework/graphics/GraphicsError.h"
#include "framework/graphics/PictureCatalog.h"

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

void DeferPictureFile(const std::string& path, TBitmap& bitmap, const TPictureHeaderReader& readHeader,
                      TPictureLoader load)
{
    const std::optional<TPictureHeader> catalogued = TPictureCatalog::Instance().Header(path);
    const TPictureHeader header = catalogued ? *catalogued : readHeader(path);
    bitmap.Defer(header, std::make_shared<const TPixelSource>([path, header, load = std::move(load)](TBitmap& target) {
        NamingTheFile(path, [&] {
            load(path, target);
            // Controls took their size from the header; pixels of another
            // size (a file changed since) would not fit them.
            if (target.Width() != header.width || target.Height() != header.height) {
                target.SetSize(0, 0);
                throw EInvalidGraphic("\"" + path + "\" is not the picture its header promised");
            }
        });
    }));
}
