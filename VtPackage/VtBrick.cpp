#include "VtPackage/VtBrick.h"

#include "VtPackage/LoadStateBitmaps.h"

VtBrick::VtBrick(TComponent* owner) : VtCustomControl(owner, true, 3), m_appearance(*this, 0) {}

bool VtBrick::LoadBitmap(const std::string& folder, const std::string& normal, const std::string& focused,
                         const std::string& disabled)
{
    return LoadStateBitmaps(m_appearance, folder, {normal, focused, disabled}, m_appearance.FirstIndex());
}
