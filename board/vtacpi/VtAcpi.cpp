// The board's ACPI interface library: BIOS item reads and writes and the
// interface, group and item description packages (the package walk is in
// PackageWalk.cpp).
// Every call works on the shared board state; results are 1 for success.

#include "board/core/BoardStore.h"
#include "board/core/Descriptions.h"
#include "board/core/Faults.h"
#include "board/core/ItemAccess.h"
#include "board/core/Package.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace {
using vboard::BoardState;
using vboard::BoardStore;

// No C++ exception may cross the library boundary: a failure is a 0 result.
template <typename Call> uint32_t Guarded(Call call)
{
    try {
        return call() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

// Looks at the board where the store keeps it (a read needs no copy of
// the whole state), then takes as long as the board's delay knobs ask for
// a call on the item `id` (0: no item); the wait happens outside the board
// lock. Returns what `look` returned.
bool Look(const std::function<bool(const BoardState&)>& look, uint32_t id = 0)
{
    bool result = false;
    uint32_t delay = 0;
    if (!BoardStore().Inspect([&](const BoardState& state) {
            delay = vboard::ItemCallDelayMs(state, id);
            result = look(state);
        }))
        return false;
    if (delay)
        Sleep(delay);
    return result;
}

// A write under the board lock, subject to the board's fault knobs.
bool Write(uint32_t id, const std::function<bool(BoardState&)>& write)
{
    uint32_t delay = 0;
    bool written = BoardStore().Update([&](BoardState& state) {
        delay = vboard::ItemCallDelayMs(state, id);
        return !vboard::WriteFails(state, id) && write(state);
    });
    if (delay)
        Sleep(delay);
    return written;
}

bool Serve(const vboard::package::Writer& writer, void* buffer, uint32_t* size)
{
    return writer.CopyTo(buffer, size);
}
} // namespace

extern "C" {

uint32_t __stdcall VtAcpiInitialize()
{
    return Guarded([] { return Look([](const BoardState&) { return true; }); });
}

uint32_t __stdcall VtAcpiSetItem(uint32_t id, uint32_t first, uint32_t second)
{
    return Guarded([=] {
        return Write(id, [=](BoardState& state) { return vboard::WriteItem(state, id, first, second); });
    });
}

uint32_t __stdcall VtAcpiGetItem(uint32_t id, uint32_t* value)
{
    return Guarded([=] {
        return value && Look([=](const BoardState& state) {
                   return !vboard::ReadFails(state, id) && vboard::ReadItem(state, id, *value);
               });
    });
}

uint32_t __stdcall VtAcpiGetInterface(void* buffer, uint32_t* size)
{
    return Guarded([=] {
        return Look([=](const BoardState& state) { return Serve(vboard::InterfacePackage(state), buffer, size); });
    });
}

uint32_t __stdcall VtAcpiGetGroup(uint32_t group, void* buffer, uint32_t* size)
{
    return Guarded([=] {
        return Look([=](const BoardState& state) {
            vboard::package::Writer writer;
            return vboard::GroupPackage(state, group & 0xFF, writer) && Serve(writer, buffer, size);
        });
    });
}

uint32_t __stdcall VtAcpiGetItemDescription(const void* reference, void* buffer, uint32_t* size)
{
    return Guarded([=] {
        if (!reference)
            return false;
        uint32_t id;
        std::memcpy(&id, reference, sizeof id);
        return Look([=](const BoardState& state) {
            const vboard::BoardItem* item = state.Find(id);
            return item && Serve(vboard::DescriptionPackage(*item), buffer, size);
        });
    });
}

uint32_t __stdcall VtAcpiGetItemArg(uint32_t id, uint32_t argument, uint32_t* value)
{
    return Guarded([=] {
        return value && Look(
                            [=](const BoardState& state) {
                                return !vboard::ReadFails(state, id) &&
                                       vboard::ReadItemWithArgument(state, id, argument, *value);
                            },
                            id);
    });
}

// Writes the item and reports the items that follow it: word 0 = pair
// count, then (identifier, value) pairs, then 0xFFFFFFFF. *size is in bytes.
uint32_t __stdcall VtAcpiSetItemWithReply(uint32_t id, uint32_t value, void* buffer,
                                                               uint32_t* size)
{
    return Guarded([=] {
        if (!buffer || !size)
            return false;
        std::vector<uint32_t> reply;
        bool written = Write(id, [&](BoardState& state) {
            const vboard::BoardItem* item = state.Find(id);
            if (!item)
                return false;
            reply.assign(1, 0);
            for (uint32_t follower : item->reply)
                if (state.Find(follower)) {
                    reply.push_back(follower);
                    reply.push_back(value);
                    ++reply[0];
                }
            reply.push_back(0xFFFFFFFFu);
            if (*size < reply.size() * 4)
                return false;
            return vboard::WriteItem(state, id, value, vboard::kWritePlain);
        });
        uint32_t needed = uint32_t(reply.size() * 4);
        if (!written) {
            if (needed > *size)
                *size = needed;
            return false;
        }
        std::memcpy(buffer, reply.data(), needed);
        *size = needed;
        return true;
    });
}

} // extern "C"
