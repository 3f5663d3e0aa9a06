#pragma once
// Owner of a module loaded with LoadLibraryA; frees it once.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace kelp {

struct ModuleFreer {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using LoadedModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

// Resolves an export into a typed function pointer; null when missing.
template <typename Function> Function ResolveExport(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

} // namespace kelp
