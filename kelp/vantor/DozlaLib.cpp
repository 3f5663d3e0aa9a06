#include "kelp/vantor/DozlaLib.h"

#include "framework/system/ProcessWide.h"
#include "kelp/vantor/DozlaLibDll.h"

namespace kelp {

DozlaLib& DozlaLib::Instance()
{
    static ProcessWide<DozlaLib> lib(std::make_unique<DozlaLibDll>());
    return *lib;
}

} // namespace kelp
