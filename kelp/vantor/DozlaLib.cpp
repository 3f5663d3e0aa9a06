#include "kelp/vantor/DozlaLib.h"

#include "kelp/vantor/DozlaLibDll.h"

namespace kelp {

DozlaLib& DozlaLib::Instance()
{
    static DozlaLib lib(std::make_unique<DozlaLibDll>());
    return lib;
}

} // namespace kelp
