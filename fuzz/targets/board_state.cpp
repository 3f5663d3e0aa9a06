// The virtual board's state file and profiles: INI text laid over a board
// state, and the state written back, which must read again.

#include "board/core/BoardState.h"
#include "board/core/IniDocument.h"

#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    vboard::IniDocument document;
    std::string error;
    if (!document.Parse(text, error))
        return 0;
    vboard::BoardState state;
    if (!state.Apply(document, error))
        return 0;
    // What the board writes it must be able to read back.
    vboard::IniDocument written;
    if (!written.Parse(state.ToDocument().ToText(), error))
        __builtin_trap();
    vboard::BoardState again;
    if (!again.Apply(written, error))
        __builtin_trap();
    return 0;
}
