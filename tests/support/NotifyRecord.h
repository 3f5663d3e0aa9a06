#pragma once
// The record Wine's Shell_NotifyIcon hands the notification area's window
// in WM_COPYDATA (dwData: the NIM_ command), decoded in plain C++. Wine has
// used two layouts: the icon's bitmap description after the item GUID
// (Wine 8 and before), or right after the callback message with a second
// one for the balloon's icon after the GUID (later versions). Both are
// followed by the icon's mask bits, then its colour bits, as GetBitmapBits
// returns them; the decoder tells the layouts apart by the exact size each
// implies.
//
// Any process of the prefix may send to the window, so every size is
// checked against the bytes received and bounded; a record that does not
// add up is refused.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace traytest {

// NIF_ flags and NIM_ commands as the shell defines them.
inline constexpr uint32_t kNotifyIcon = 0x2, kNotifyTip = 0x4, kNotifyInfo = 0x10;
inline constexpr uint32_t kNotifyAdd = 0, kNotifyModify = 1, kNotifyDelete = 2, kNotifySetVersion = 4;

// The largest icon decoded (the shell's largest icon size).
inline constexpr uint32_t kMaxIconSide = 256;

struct IconBits {
    uint32_t width = 0, height = 0, planes = 0, bitsPerPixel = 0;
    // Mask bits, then colour bits (none for a monochrome icon).
    std::vector<uint8_t> bits;

    bool Empty() const { return bits.empty(); }
};

struct NotifyRecord {
    uint32_t window = 0;  // the owner window's handle as 32 bits
    uint32_t id = 0;
    uint32_t flags = 0;
    uint32_t callbackMessage = 0;
    std::u16string tip;
    std::u16string balloon;
    std::u16string balloonTitle;
    uint32_t timeoutOrVersion = 0;
    uint32_t balloonFlags = 0;
    IconBits icon;  // empty unless flags has kNotifyIcon and the icon was readable
};

// Bytes GetBitmapBits fills for a bitmap, as Wine sizes them.
size_t BitmapBytes(uint32_t width, uint32_t height, uint32_t planes, uint32_t bitsPerPixel);
// Mask plus colour bytes of an icon of this description; a 1-bit, one-plane
// description is a monochrome icon (mask of twice the height, no colour).
size_t IconBytes(uint32_t width, uint32_t height, uint32_t planes, uint32_t bitsPerPixel);

std::optional<NotifyRecord> DecodeNotifyRecord(const uint8_t* data, size_t size);

} // namespace traytest
