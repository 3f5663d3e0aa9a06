#include "framework/graphics/DeferredPicture.h"

#include "framework/graphics/GraphicsError.h"

#include <exception>
#include <memory>

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
    bitmap.Defer(readHeader(path), std::make_shared<const TPixelSource>([path, load = std::move(load)](TBitmap& target) {
        NamingTheFile(path, [&] { load(path, target); });
    }));
}
