#include "kelp/widget/RegionShapedForm.h"

#include "kelp/Graphics/ImageRegion.h"

namespace kelp {

void RegionShapedForm::ApplyShape(TForm* form, TImage* image)
{
    if (m_transparentColor == clNone)
        ApplyImageRegion(*form, *image);
    else
        ApplyImageRegion(*form, *image, m_transparentColor);
}

void RegionShapedForm::RemoveShape(TForm* form)
{
    SetWindowRgn(form->Handle(), nullptr, TRUE);
}

} // namespace kelp
