#include "kelp/vantor/AcpiLibrary.h"
#include "kelp/vantor/BiosGroupList.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItemEnumerator.h"
#include "kelp/vantor/BiosItems.h"
#include "tests/bios/BiosTestBoard.h"

#include <gtest/gtest.h>

namespace {
using namespace kelp;

class BiosEnumerationTest : public ::testing::Test {
protected:
    void SetUp() override { biostest::LoadTestBoard(); }
};

TEST_F(BiosEnumerationTest, EnumeratorWalksTheGroupInIdentifierOrder)
{
    BiosItemEnumerator items;
    ASSERT_TRUE(items.Open(0x21));
    EXPECT_TRUE(items.IsOpen());
    std::vector<uint32_t> ids;
    for (; !items.AtEnd(); items.Next())
        ids.push_back(items.CurrentId());
    EXPECT_EQ(ids, (std::vector<uint32_t>{0x21000001, 0x21000003, 0x21000004, 0x21000010, 0x21010005, 0x21020002,
                                          0x21070007, 0x21080006, 0x21080011, 0x210C0009, 0x21800008}));
    items.Close();
    EXPECT_FALSE(items.IsOpen());
    ASSERT_TRUE(items.Open(0x21)) << "reopens after Close";
    EXPECT_EQ(items.CurrentId(), 0x21000001u);
}

TEST_F(BiosEnumerationTest, UnreadableGroupDoesNotOpen)
{
    BiosItemEnumerator items;
    EXPECT_FALSE(items.Open(0x55));
    EXPECT_FALSE(items.IsOpen());
    BiosGroupList list;
    EXPECT_FALSE(list.Open(0x55));
    EXPECT_TRUE(list.IsOpen()) << "the buffer stays until Close";
    EXPECT_TRUE(list.AtEnd());
    list.Close();
    EXPECT_FALSE(list.IsOpen());
}

TEST_F(BiosEnumerationTest, SupportIsFoundByEnumeratingTheGroup)
{
    EXPECT_TRUE(IsItemSupported(0x21000001));
    EXPECT_TRUE(IsItemSupported(0x21800008));
    EXPECT_FALSE(IsItemSupported(0x21000099));
    EXPECT_FALSE(IsItemSupported(0x55000001)) << "group cannot be read";
}

TEST_F(BiosEnumerationTest, ItemsReadAndWriteThroughTheLibrary)
{
    uint32_t value = 0;
    ASSERT_TRUE(GetItem(0x21080006, value));
    EXPECT_EQ(value, 1u);
    EXPECT_TRUE(SetItem(0x21080006, 0));
    ASSERT_TRUE(GetItem(0x21080006, value));
    EXPECT_EQ(value, 0u);
    EXPECT_FALSE(SetItem(0x21080006, 2)) << "only two strings";
    EXPECT_FALSE(GetItem(0x21000099, value));
    EXPECT_EQ(SetItemMode(0x21000001, 9, 2), 1u);
    EXPECT_EQ(SetItemMode(0x21000001, 9, 5), 0u);
    ASSERT_TRUE(GetItemArg(0x21000001, 1234, value));
    EXPECT_EQ(value, 9u);
}

TEST_F(BiosEnumerationTest, InterfaceValuesAndVersion)
{
    EXPECT_EQ(GetInterfaceVersion(), 0x03000000u);
    uint32_t values[5] = {0xAAAAAAAA, 0xAAAAAAAA, 0xAAAAAAAA, 0xAAAAAAAA, 0xAAAAAAAA};
    GetInterfaceValues(values, 0, 5);
    EXPECT_EQ(values[0], 1u);
    EXPECT_EQ(values[1], 0x03000000u);
    EXPECT_EQ(values[2], 0x2Au);
    EXPECT_EQ(values[3], 0xAAAAAAAAu) << "only three values exist";
    values[0] = 0;
    GetInterfaceValues(values, 2, 1);
    EXPECT_EQ(values[0], 0x2Au);
    values[0] = 7;
    GetInterfaceValues(values, 4, 1);
    EXPECT_EQ(values[0], 7u) << "first beyond the values copies nothing";

    biostest::LoadInstalledProfile("legacy");
    EXPECT_EQ(GetInterfaceVersion() >> 24, 2u);
    biostest::LoadInstalledProfile("current");
    EXPECT_EQ(GetInterfaceVersion() >> 24, 3u);
}

// The items the start-up checks rely on exist on the installed boards.
TEST_F(BiosEnumerationTest, InstalledBoardsCarryTheStartUpItems)
{
    for (const char* profile : {"current", "legacy"}) {
        biostest::LoadInstalledProfile(profile);
        uint32_t state = 0;
        EXPECT_TRUE(IsItemSupported(BiosItemId::kExtremeTuningCapability)) << profile;
        EXPECT_TRUE(IsItemSupported(BiosItemId::kExtremeTuningState)) << profile;
        ASSERT_TRUE(GetItem(BiosItemId::kOverclockState, state)) << profile;
        EXPECT_TRUE(state == 1 || state == 2) << "not overclocked out of the box";
    }
}

using BiosEnumerationDeathTest = BiosEnumerationTest;

TEST_F(BiosEnumerationDeathTest, OpeningTwiceAsserts)
{
    EXPECT_EXIT(
        {
            BiosGroupList list;
            list.Open(0x21);
            list.Open(0x21);
        },
        ::testing::ExitedWithCode(3),
        biostest::Literally("Assertion failed: !IsOpen(), file kelp\\vantor\\Source\\BiosInterface, line 101"));
    EXPECT_EXIT(
        {
            BiosItemEnumerator items;
            items.Open(0x21);
            items.Open(0x21);
        },
        ::testing::ExitedWithCode(3),
        biostest::Literally("Assertion failed: !IsOpen(), file kelp\\vantor\\Source\\BiosInterface, line 796"));
}

} // namespace
