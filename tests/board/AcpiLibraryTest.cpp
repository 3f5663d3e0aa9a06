#include "board/core/BoardStore.h"
#include "kelp/vantor/AcpiLibrary.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

class AcpiLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(vboard::BoardStore().LoadProfile("current", error)) << error;
    }
};

TEST(AcpiLibraryExports, EveryOrdinalOfTheTableAndNoNames)
{
    HMODULE library = LoadLibraryA("VTACPI.DLL");
    ASSERT_NE(library, nullptr);
    for (int ordinal = 1; ordinal <= 13; ++ordinal) {
        FARPROC entry = GetProcAddress(library, MAKEINTRESOURCEA(ordinal));
        if (ordinal == 8)
            EXPECT_EQ(entry, nullptr) << "ordinal 8 is not part of the interface";
        else
            EXPECT_NE(entry, nullptr) << "ordinal " << ordinal;
    }
    EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(14)), nullptr);
    EXPECT_EQ(GetProcAddress(library, "VtAcpiGetItem"), nullptr) << "exported by ordinal only";
    FreeLibrary(library);
}

// Buffers are never written past the caller's size; a short buffer reports
// the size the package needs.
TEST_F(AcpiLibraryTest, ShortBuffersAreLeftUntouchedAndTheNeededSizeReported)
{
    std::vector<unsigned char> buffer(4096, 0xCC);
    uint32_t size = 4096;
    ASSERT_TRUE(VtAcpiGetGroup(0x0B, buffer.data(), &size));
    uint32_t groupBytes = size;
    const void* reference = VtAcpiElementData(VtAcpiFirstElement(buffer.data()));

    std::vector<unsigned char> small(4096, 0xCC);
    auto untouched = [&] {
        for (unsigned char byte : small)
            if (byte != 0xCC)
                return false;
        return true;
    };
    size = groupBytes - 1;
    EXPECT_FALSE(VtAcpiGetGroup(0x0B, small.data(), &size));
    EXPECT_EQ(size, groupBytes);
    size = 8;
    EXPECT_FALSE(VtAcpiGetInterface(small.data(), &size));
    EXPECT_GT(size, 8u);
    size = 16;
    EXPECT_FALSE(VtAcpiGetItemDescription(reference, small.data(), &size));
    EXPECT_GT(size, 16u);
    size = 4;
    EXPECT_FALSE(VtAcpiSetItemWithReply(0x05080060, 3, small.data(), &size));
    EXPECT_EQ(size, 24u);
    EXPECT_TRUE(untouched());
    uint32_t value = 0;
    ASSERT_TRUE(VtAcpiGetItem(0x05080060, &value));
    EXPECT_EQ(value, 0u) << "a write whose reply does not fit is not made";

    EXPECT_FALSE(VtAcpiGetInterface(nullptr, &size));
    EXPECT_FALSE(VtAcpiGetInterface(small.data(), nullptr));
    EXPECT_FALSE(VtAcpiGetItem(0x05080060, nullptr));
}

TEST_F(AcpiLibraryTest, WriteWithReplyListsTheFollowingItems)
{
    uint32_t words[1024];
    uint32_t size = sizeof words;
    ASSERT_TRUE(VtAcpiSetItemWithReply(0x05080060, 3, words, &size) & 1);
    ASSERT_EQ(size, 24u);
    EXPECT_EQ(words[0], 2u);
    EXPECT_EQ(words[1], 0x03010060u);
    EXPECT_EQ(words[2], 3u);
    EXPECT_EQ(words[3], 0x03030061u);
    EXPECT_EQ(words[4], 3u);
    EXPECT_EQ(words[5], 0xFFFFFFFFu);
    uint32_t value = 0;
    ASSERT_TRUE(VtAcpiGetItem(0x05080060, &value));
    EXPECT_EQ(value, 3u);
    size = sizeof words;
    EXPECT_FALSE(VtAcpiSetItemWithReply(0x7F000000, 3, words, &size) & 1) << "unknown item";
}

TEST_F(AcpiLibraryTest, WritesHonourRangeModeAndReadOnly)
{
    EXPECT_TRUE(VtAcpiSetItem(0x0B060010, 4, 1) & 1);
    EXPECT_TRUE(VtAcpiSetItem(0x0B060010, 3, 2) & 1) << "mode 2 applies a pending value";
    EXPECT_FALSE(VtAcpiSetItem(0x0B060010, 5, 1) & 1) << "beyond the five indexes";
    EXPECT_FALSE(VtAcpiSetItem(0x0B060010, 1, 3) & 1) << "unknown mode";
    EXPECT_FALSE(VtAcpiSetItem(0x09080000, 1, 1) & 1) << "read-only";
    EXPECT_FALSE(VtAcpiSetItem(0x04070010, 2, 1) & 1) << "a boolean takes 0 or 1";
    EXPECT_TRUE(VtAcpiSetItem(0x0B060001, 0x8000, 1) & 1) << "the gear level has no index range";
    uint32_t value = 0;
    ASSERT_TRUE(VtAcpiGetItem(0x0B060010, &value) & 1);
    EXPECT_EQ(value, 3u);
}

TEST_F(AcpiLibraryTest, WalkStopsSafelyAtTheEndAndOnForeignMemory)
{
    std::vector<unsigned char> buffer(4096);
    uint32_t size = 4096;
    ASSERT_TRUE(VtAcpiGetInterface(buffer.data(), &size));
    uint32_t count = VtAcpiElementCount(buffer.data());
    ASSERT_EQ(count, 5u);
    const void* element = VtAcpiFirstElement(buffer.data());
    EXPECT_STREQ(static_cast<const char*>(VtAcpiElementData(element)), "VANTOR ACPI");
    for (uint32_t i = 0; i < count + 3; ++i)
        element = VtAcpiNextElement(element);
    uint32_t past;
    std::memcpy(&past, VtAcpiElementData(element), sizeof past);
    EXPECT_EQ(past, 0u) << "past the end: an empty element";
    EXPECT_STREQ(static_cast<const char*>(VtAcpiElementData(element)), "");

    std::vector<unsigned char> foreign(64, 0xAB);
    EXPECT_EQ(VtAcpiElementCount(foreign.data()), 0u);
    EXPECT_EQ(VtAcpiElementCount(nullptr), 0u);
    const void* first = VtAcpiFirstElement(foreign.data());
    EXPECT_EQ(VtAcpiNextElement(first), first);
    EXPECT_STREQ(static_cast<const char*>(VtAcpiElementData(first)), "");
}

TEST_F(AcpiLibraryTest, SuperIoRegistersGoThroughTheForwardingItem)
{
    EXPECT_TRUE(VtAcpiSetItem(0x11060009, 0x0230, 0x5A) & 1);
    uint32_t value = 0;
    ASSERT_TRUE(VtAcpiGetItemArg(0x11060009, 0x0230, &value) & 1);
    EXPECT_EQ(value, 0x5Au);
    ASSERT_TRUE(VtAcpiGetItemArg(0x11060009, 0x0231, &value) & 1);
    EXPECT_EQ(value, 0u);
    EXPECT_FALSE(VtAcpiSetItem(0x11060009, 0x10000, 1) & 1);
    EXPECT_FALSE(VtAcpiSetItem(0x11060009, 0x0230, 0x100) & 1);
    ASSERT_TRUE(VtAcpiGetItemArg(0x0B060003, 77, &value) & 1) << "other items ignore the argument";
    EXPECT_EQ(value, 8u);
}

TEST_F(AcpiLibraryTest, FaultKnobsSlowTheLibraryAndFailChosenItems)
{
    std::string profile = boardtest::WriteProfile("faults", R"(
[board]
include=current
[knobs]
acpi.delay_ms=40
fail.read=0x03080064|0x11060009
fail.write=0x0B060001
)");
    std::string error;
    ASSERT_TRUE(vboard::BoardStore().LoadProfile(profile, error)) << error;
    uint32_t value = 0;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    EXPECT_FALSE(VtAcpiGetItem(0x03080064, &value) & 1);
    QueryPerformanceCounter(&end);
    EXPECT_GE((end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart, 38);
    EXPECT_FALSE(VtAcpiGetItemArg(0x11060009, 0x10, &value) & 1);
    EXPECT_TRUE(VtAcpiSetItem(0x03080064, 0, 1) & 1) << "writes of a read-failing item still work";
    EXPECT_FALSE(VtAcpiSetItem(0x0B060001, 1, 1) & 1);
    EXPECT_TRUE(VtAcpiGetItem(0x0B060001, &value) & 1);
    EXPECT_EQ(value, 0u);
}

} // namespace
