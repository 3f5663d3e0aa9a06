// The notification record that Wine's Shell_NotifyIcon sends the shell's
// window, in both of the layouts Wine has used.

#include "tests/support/NotifyRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

// Records as Wine's two layouts lay them out: the icon's description at the
// end of the header, or after the callback message.
TEST(NotifyRecordDecoder, ReadsBothLayoutsAndRefusesRecordsThatDoNotAddUp)
{
    constexpr size_t kOldHeader = 960, kNewHeader = 976, kIconBytes = 32 + 1024;  // 16 x 16 at 32 bits
    const auto put = [](std::vector<uint8_t>& record, size_t at, uint32_t value) {
        std::memcpy(record.data() + at, &value, 4);
    };
    std::vector<uint8_t> older(kOldHeader + kIconBytes, 0xA5);
    std::memset(older.data(), 0, kOldHeader);
    put(older, 0, 0x4321);
    put(older, 4, 7);
    put(older, 8, traytest::kNotifyIcon | traytest::kNotifyTip);
    older[16] = 'O';
    older[18] = 'k';
    for (uint32_t i = 0; uint32_t value : {16u, 16u, 1u, 32u})
        put(older, 944 + 4 * i++, value);
    auto decoded = traytest::DecodeNotifyRecord(older.data(), older.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->window, 0x4321u);
    EXPECT_EQ(decoded->id, 7u);
    EXPECT_EQ(decoded->tip, u"Ok");
    EXPECT_EQ(decoded->icon.width, 16u);
    EXPECT_EQ(decoded->icon.bits, std::vector<uint8_t>(kIconBytes, 0xA5));

    std::vector<uint8_t> newer(kNewHeader + kIconBytes, 0x5A);
    std::memset(newer.data(), 0, kNewHeader);
    put(newer, 8, traytest::kNotifyIcon | traytest::kNotifyInfo);
    for (uint32_t i = 0; uint32_t value : {16u, 16u, 1u, 32u})
        put(newer, 16 + 4 * i++, value);
    newer[32 + 256 + 8] = 'B';  // the balloon text, after tip and state
    decoded = traytest::DecodeNotifyRecord(newer.data(), newer.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->balloon, u"B");
    EXPECT_EQ(decoded->icon.bits.size(), kIconBytes);

    // No icon: just the header.
    EXPECT_TRUE(traytest::DecodeNotifyRecord(older.data(), kOldHeader) == std::nullopt);
    std::vector<uint8_t> bare(kOldHeader, 0);
    EXPECT_TRUE(traytest::DecodeNotifyRecord(bare.data(), bare.size()));
    // Cut short, one byte over, or a picture larger than any icon.
    EXPECT_FALSE(traytest::DecodeNotifyRecord(older.data(), older.size() - 1));
    older.push_back(0);
    EXPECT_FALSE(traytest::DecodeNotifyRecord(older.data(), older.size()));
    put(newer, 16, 100000);
    EXPECT_FALSE(traytest::DecodeNotifyRecord(newer.data(), newer.size()));
    EXPECT_FALSE(traytest::DecodeNotifyRecord(newer.data(), 100));
}
