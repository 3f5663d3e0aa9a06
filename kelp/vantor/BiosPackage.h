#pragma once
// Reading package elements returned by the ACPI library.

#include <cstdint>

namespace kelp {

// Size of every buffer handed to the ACPI library.
constexpr uint32_t kBiosBufferSize = 4096;

uint32_t ElementValue(const void* element); // the element's 32-bit integer
const char* ElementText(const void* element); // the element's text

} // namespace kelp
