#pragma once
// The functions of VTACPI.DLL, imported by ordinal (the numbers below).
// Results are 32-bit words whose bit 0 means success unless noted.
// Packages are walked only through the library: first element, element
// count, next element and element data.

#include <cstdint>

extern "C" {
__declspec(dllimport) uint32_t __stdcall VtAcpiInitialize();                                  // 1
__declspec(dllimport) uint32_t __stdcall VtAcpiSetItem(uint32_t id, uint32_t first, uint32_t second); // 2
__declspec(dllimport) uint32_t __stdcall VtAcpiGetItem(uint32_t id, uint32_t* value);         // 3
__declspec(dllimport) uint32_t __stdcall VtAcpiGetInterface(void* buffer, uint32_t* size);    // 4, non-zero = success
__declspec(dllimport) uint32_t __stdcall VtAcpiGetGroup(uint32_t group, void* buffer, uint32_t* size); // 5, non-zero
__declspec(dllimport) const void* __stdcall VtAcpiFirstElement(const void* package);          // 6
__declspec(dllimport) uint32_t __stdcall VtAcpiElementCount(const void* package);             // 7
__declspec(dllimport) const void* __stdcall VtAcpiElementData(const void* element);           // 9
__declspec(dllimport) const void* __stdcall VtAcpiNextElement(const void* element);           // 10
// 11: reads one item's description; *size becomes the bytes returned. Non-zero = success.
__declspec(dllimport) uint32_t __stdcall VtAcpiGetItemDescription(const void* reference, void* buffer, uint32_t* size);
__declspec(dllimport) uint32_t __stdcall VtAcpiGetItemArg(uint32_t id, uint32_t argument, uint32_t* value); // 12
// 13: writes an item and returns a reply list of 32-bit words in the buffer.
__declspec(dllimport) uint32_t __stdcall VtAcpiSetItemWithReply(uint32_t id, uint32_t value, void* buffer,
                                                                uint32_t* size);
}
