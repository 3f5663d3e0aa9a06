// The library's package walk (ordinals 6, 7, 9 and 10) over the board's
// package format. Plain C++: the native build of the decoders links it too.

#include "board/core/Package.h"

#include <cstdint>

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
