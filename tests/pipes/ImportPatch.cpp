#include "tests/pipes/ImportPatch.h"

#include <cstring>

namespace pipetest {
namespace {
template <typename T> T* At(HMODULE base, DWORD offset)
{
    return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(base) + offset);
}

// The import address table entry of module!function in the executable.
void** FindSlot(const char* module, const char* function)
{
    HMODULE base = GetModuleHandleA(nullptr);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = At<IMAGE_NT_HEADERS>(base, dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress)
        return nullptr;
    for (auto* import = At<IMAGE_IMPORT_DESCRIPTOR>(base, directory.VirtualAddress); import->Name; ++import) {
        if (_stricmp(At<char>(base, import->Name), module) != 0 || !import->OriginalFirstThunk)
            continue;
        auto* names = At<IMAGE_THUNK_DATA>(base, import->OriginalFirstThunk);
        auto* slots = At<IMAGE_THUNK_DATA>(base, import->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = At<IMAGE_IMPORT_BY_NAME>(base, DWORD(names->u1.AddressOfData));
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}
} // namespace

ImportPatch::ImportPatch(const char* module, const char* function, void* replacement)
    : slot_(FindSlot(module, function))
{
    if (!slot_)
        return;
    original_ = *slot_;
    Write(replacement);
}

ImportPatch::~ImportPatch()
{
    if (slot_)
        Write(original_);
}

void ImportPatch::Write(void* value)
{
    DWORD previous = 0;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &previous);
    *slot_ = value;
    VirtualProtect(slot_, sizeof *slot_, previous, &previous);
    FlushInstructionCache(GetCurrentProcess(), slot_, sizeof *slot_);
}

} // namespace pipetest
