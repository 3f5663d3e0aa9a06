#include "tests/support/NotifyRecord.h"

#include <cstring>

namespace traytest {
namespace {

constexpr size_t kTipChars = 128, kInfoChars = 256, kTitleChars = 64;
constexpr size_t kIconInfoBytes = 16;  // width, height, planes, bits per pixel
constexpr size_t kGuidBytes = 16;
// Tip, state and state mask, balloon text, time-out, title, balloon flags, GUID.
constexpr size_t kTextBlockBytes = kTipChars * 2 + 8 + kInfoChars * 2 + 4 + kTitleChars * 2 + 4 + kGuidBytes;
constexpr size_t kCommonBytes = 16;  // window, id, flags, callback message

uint32_t ReadU32(const uint8_t* at)
{
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::u16string ReadText(const uint8_t* at, size_t chars)
{
    std::u16string text;
    for (size_t i = 0; i < chars; ++i) {
        char16_t c;
        std::memcpy(&c, at + 2 * i, sizeof c);
        if (!c)
            break;
        text.push_back(c);
    }
    return text;
}

struct IconInfo {
    uint32_t width, height, planes, bitsPerPixel;
};

IconInfo ReadIconInfo(const uint8_t* at)
{
    return {ReadU32(at), ReadU32(at + 4), ReadU32(at + 8), ReadU32(at + 12)};
}

// Bytes of the icon the description announces; nullopt when it is none Wine
// would send. All zero is no icon.
std::optional<size_t> AnnouncedBytes(const IconInfo& info)
{
    if (!info.width && !info.height && !info.planes && !info.bitsPerPixel)
        return 0;
    const uint32_t depth = info.bitsPerPixel;
    const bool knownDepth = depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
    if (!info.width || !info.height || info.width > kMaxIconSide || info.height > kMaxIconSide ||
        info.planes != 1 || !knownDepth)
        return std::nullopt;
    return IconBytes(info.width, info.height, info.planes, depth);
}

// The text block, wherever the layout puts it.
void ReadTexts(const uint8_t* at, NotifyRecord& record)
{
    record.tip = ReadText(at, kTipChars);
    at += kTipChars * 2 + 8;
    record.balloon = ReadText(at, kInfoChars);
    at += kInfoChars * 2;
    record.timeoutOrVersion = ReadU32(at);
    at += 4;
    record.balloonTitle = ReadText(at, kTitleChars);
    at += kTitleChars * 2;
    record.balloonFlags = ReadU32(at);
}

} // namespace

size_t BitmapBytes(uint32_t width, uint32_t height, uint32_t planes, uint32_t bitsPerPixel)
{
    return (size_t(planes) * width * height * bitsPerPixel + 15) / 16 * 2;
}

size_t IconBytes(uint32_t width, uint32_t height, uint32_t planes, uint32_t bitsPerPixel)
{
    if (planes == 1 && bitsPerPixel == 1)
        return BitmapBytes(width, height * 2, 1, 1);
    return BitmapBytes(width, height, 1, 1) + BitmapBytes(width, height, planes, bitsPerPixel);
}

std::optional<NotifyRecord> DecodeNotifyRecord(const uint8_t* data, size_t size)
{
    if (!data || size < kCommonBytes + kTextBlockBytes + kIconInfoBytes)
        return std::nullopt;
    NotifyRecord record;
    record.window = ReadU32(data);
    record.id = ReadU32(data + 4);
    record.flags = ReadU32(data + 8);
    record.callbackMessage = ReadU32(data + 12);

    // Newer layout: icon description first, the balloon icon's after the GUID.
    const size_t newHeader = kCommonBytes + kIconInfoBytes + kTextBlockBytes + kIconInfoBytes;
    if (size >= newHeader) {
        const IconInfo icon = ReadIconInfo(data + kCommonBytes);
        const auto iconBytes = AnnouncedBytes(icon);
        const auto balloonBytes = AnnouncedBytes(ReadIconInfo(data + newHeader - kIconInfoBytes));
        if (iconBytes && balloonBytes && size == newHeader + *iconBytes + *balloonBytes) {
            ReadTexts(data + kCommonBytes + kIconInfoBytes, record);
            if (*iconBytes)
                record.icon = {icon.width, icon.height, icon.planes, icon.bitsPerPixel,
                               std::vector<uint8_t>(data + newHeader, data + newHeader + *iconBytes)};
            return record;
        }
    }
    // Older layout: the icon description closes the header.
    const size_t oldHeader = kCommonBytes + kTextBlockBytes + kIconInfoBytes;
    const IconInfo icon = ReadIconInfo(data + oldHeader - kIconInfoBytes);
    const auto iconBytes = AnnouncedBytes(icon);
    if (!iconBytes || size != oldHeader + *iconBytes)
        return std::nullopt;
    ReadTexts(data + kCommonBytes, record);
    if (*iconBytes)
        record.icon = {icon.width, icon.height, icon.planes, icon.bitsPerPixel,
                       std::vector<uint8_t>(data + oldHeader, data + size)};
    return record;
}

} // namespace traytest
