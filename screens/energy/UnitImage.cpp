#include "screens/energy/UnitImage.h"

namespace energy {

VtImage* NewUnitImage(TForm& form, const TBitmap& picture)
{
    auto* image = new VtImage(&form);
    image->SetParent(&form);
    image->SetVisible(false);
    image->SetAutoSize(true);
    image->SetPicture(picture);
    image->SetTransparent(true);
    return image;
}

} // namespace energy
