#include "VtPackage/LoadStateBitmaps.h"

#include "VtPackage/VtCustomControl.h"
#include "framework/layout/ClassRegistry.h"

#include <memory>

bool LoadStateBitmaps(VtCtrlAppearance& appearance, const std::string& folder, const std::vector<std::string>& names,
                      int firstIndex)
{
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '\\' && prefix.back() != ':')
        prefix += '\\';
    std::vector<std::unique_ptr<TBitmap>> bitmaps;
    for (const std::string& name : names) {
        bitmaps.push_back(std::make_unique<TBitmap>());
        if (!name.empty())
            TClassRegistry::Instance().LoadPicture(prefix + name, *bitmaps.back());
    }
    for (size_t i = 0; i < names.size(); ++i)
        if (!names[i].empty())
            appearance.Owner().SetStateBitmap(*bitmaps[i], firstIndex + static_cast<int>(i));
    return true;
}
