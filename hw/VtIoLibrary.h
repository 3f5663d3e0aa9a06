#pragma once
// The port-I/O library VtIo.dll: byte input and output on I/O ports.
// Without the library every input reads 0xFF and output does nothing.

#include "hw/LoadedModule.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelp {

class VtIoLibrary {
public:
    // The process-wide library, loaded on first use.
    static VtIoLibrary& Instance();

    // Loads the library from the first of `folders` (each ending in '\\')
    // that has it, reports a missing library or export and opens it.
    explicit VtIoLibrary(const std::vector<std::string>& folders);
    // The system folder, where the library is installed, then the
    // executable's folder, where the virtual board ships it.
    static std::vector<std::string> DefaultFolders();
    VtIoLibrary(const VtIoLibrary&) = delete;
    VtIoLibrary& operator=(const VtIoLibrary&) = delete;

    bool IsLoaded() const { return m_inPort && m_outPort; }
    uint8_t InPortB(uint16_t port) const;
    void OutPortB(uint16_t port, uint8_t value) const;

private:
    using OpenFunction = uint8_t(__stdcall*)(const char* path);
    using CloseFunction = void(__stdcall*)();
    using InFunction = uint8_t(__stdcall*)(uint16_t port);
    using OutFunction = void(__stdcall*)(uint16_t port, uint8_t value);

    LoadedModule m_module;
    OpenFunction m_open = nullptr;
    CloseFunction m_close = nullptr; // resolved for completeness; closing is left to process end
    InFunction m_inPort = nullptr;
    OutFunction m_outPort = nullptr;
};

} // namespace kelp
