// The package walk of the ACPI library (ordinals 6, 7, 9 and 10) for the
// native build, over the virtual board's package format. The item classes
// reach packages only through these four functions.

#include "board/core/Package.h"
#include "kelp/vantor/AcpiLibrary.h"

extern "C" {

const void* __stdcall VtAcpiFirstElement(const void* package)
{
    return vboard::package::First(package);
}

uint32_t __stdcall VtAcpiElementCount(const void* package)
{
    return vboard::package::Count(package);
}

const void* __stdcall VtAcpiElementData(const void* element)
{
    return vboard::package::Data(element);
}

const void* __stdcall VtAcpiNextElement(const void* element)
{
    return vboard::package::Next(element);
}

} // extern "C"
