#include "kelp/vantor/BiosBooleanItem.h"
#include "kelp/vantor/BiosItemEnumerator.h"
#include "kelp/vantor/BiosNumberItem.h"
#include "kelp/vantor/BiosStringItem.h"
#include "tests/bios/BiosTestBoard.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

namespace {
using kelp::BiosItem;
using Messages = std::vector<boardtest::MessageBoxCatcher::Message>;

// The item as the program receives it: enumerated from its group through
// the ACPI library and built from the served description.
std::unique_ptr<BiosItem> ServedItem(uint32_t id)
{
    kelp::BiosItemEnumerator items;
    if (!items.Open(uint8_t(id >> 24)))
        return nullptr;
    for (bool fetched = true; !items.AtEnd(); fetched = items.Next())
        if (fetched && items.CurrentId() == id)
            return items.CreateItem();
    return nullptr;
}

// Message boxes need a window driver; a Wine session without one cannot
// show (or catch) them.
bool WindowsAvailable()
{
    HWND probe = CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!probe)
        return false;
    DestroyWindow(probe);
    return true;
}

class BiosItemTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { biostest::LoadTestBoard(); }

    static std::unique_ptr<BiosItem> Item(uint32_t id)
    {
        auto item = ServedItem(id);
        EXPECT_NE(item, nullptr) << std::hex << id;
        return item;
    }
};

TEST_F(BiosItemTest, NumberIndexesConvertToRationalsValuesAndTexts)
{
    struct Case {
        uint32_t id;
        unsigned index;
        int64_t numerator, denominator;
        double value;
        const char* text;
    } cases[] = {
        {0x21000001, 5, 6, 1000, 0.006, "0.006"},
        {0x21020002, 5, 6, 1000000, 0.000006, "0.000006"},
        {0x21000003, 1, 150, 100, 1.5, "1.5"},
        {0x21000003, 0, 100, 100, 1.0, "1.0"},
        {0x21010005, 0, -50, 100, -0.5, "-0.50"},
        {0x21010005, 4, 50, 100, 0.5, "0.50"},
        {0x210C0009, 1, 10, 1000, 0.01, "0.010"},
        {0x21000010, 2, 500, 1, 500.0, "500.00"},
    };
    for (const Case& c : cases) {
        auto item = Item(c.id);
        ASSERT_NE(item, nullptr);
        ASSERT_TRUE(item->IsParsed()) << std::hex << c.id;
        int64_t numerator = 0, denominator = 0;
        ASSERT_TRUE(item->IndexToRational(c.index, numerator, denominator)) << std::hex << c.id;
        EXPECT_EQ(numerator, c.numerator) << std::hex << c.id;
        EXPECT_EQ(denominator, c.denominator) << std::hex << c.id;
        EXPECT_DOUBLE_EQ(item->IndexToValue(c.index), c.value) << std::hex << c.id;
        EXPECT_EQ(item->IndexToString(c.index), c.text) << std::hex << c.id;
    }
}

TEST_F(BiosItemTest, ExtraStringsTakeTheFirstIndexes)
{
    auto item = Item(0x21000004);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->IsParsed());
    EXPECT_EQ(item->GetCount(), 5u);
    EXPECT_EQ(item->IndexToString(0), "Auto");
    EXPECT_EQ(item->IndexToString(1), "Off");
    EXPECT_EQ(item->IndexToString(2), "10");
    EXPECT_EQ(item->IndexToString(4), "20");
    int64_t numerator = 0, denominator = 0;
    ASSERT_TRUE(item->IndexToRational(3, numerator, denominator));
    EXPECT_EQ(numerator, 15);
    EXPECT_EQ(denominator, 1);

    if (!WindowsAvailable())
        GTEST_SKIP() << "no window driver: message boxes cannot be shown";
    boardtest::MessageBoxCatcher catcher;
    EXPECT_FALSE(item->IndexToRational(1, numerator, denominator));
    EXPECT_EQ(item->IndexToValue(0), 0.0);
    Messages messages = catcher.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption, "IndexToRational Fail");
    EXPECT_EQ(messages[0].text, "Can not convert extra string to value");
    EXPECT_EQ(messages[1].caption, "IndexToValue Fail");
    EXPECT_EQ(messages[1].text, "Can not convert extra string to value");
}

TEST_F(BiosItemTest, KindsWithoutNumbersReportUnsupportedConversions)
{
    auto levels = Item(0x21080006);
    auto toggle = Item(0x21070007);
    ASSERT_NE(levels, nullptr);
    ASSERT_NE(toggle, nullptr);
    ASSERT_NE(dynamic_cast<kelp::BiosStringItem*>(levels.get()), nullptr);
    ASSERT_NE(dynamic_cast<kelp::BiosBooleanItem*>(toggle.get()), nullptr);
    EXPECT_TRUE(levels->IsParsed());
    EXPECT_TRUE(toggle->IsParsed());
    EXPECT_EQ(levels->GetCount(), 2u);
    EXPECT_EQ(levels->IndexToString(1), "High");
    EXPECT_EQ(levels->GetHeaderValue(), 1u);
    EXPECT_EQ(toggle->GetCount(), 0u);
    EXPECT_EQ(toggle->GetHeaderValue(), 1u);
    EXPECT_EQ(toggle->GetAttributes(), 0x40000000u);
    EXPECT_EQ(levels->GetAttributes(), 0u);

    if (!WindowsAvailable())
        GTEST_SKIP() << "no window driver: message boxes cannot be shown";
    boardtest::MessageBoxCatcher catcher;
    int64_t numerator, denominator;
    EXPECT_EQ(levels->IndexToValue(0), 0.0);
    EXPECT_FALSE(levels->IndexToRational(0, numerator, denominator));
    EXPECT_EQ(toggle->IndexToString(0), "");
    EXPECT_EQ(toggle->IndexToValue(0), 0.0);
    Messages messages = catcher.Messages();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].text, "Item[21080006] does not supports IndexToValue");
    EXPECT_EQ(messages[1].text, "Item[21080006] does not supports IndexToRational");
    EXPECT_EQ(messages[2].text, "Item[21070007] does not supports IndexToString");
    EXPECT_EQ(messages[3].text, "Item[21070007] does not supports IndexToValue");
    for (const auto& message : messages)
        EXPECT_EQ(message.caption, "BiosItem");
}

TEST_F(BiosItemTest, MalformedDescriptionStillYieldsTheItem)
{
    auto empty = Item(0x21080011);
    ASSERT_NE(empty, nullptr);
    EXPECT_NE(dynamic_cast<kelp::BiosStringItem*>(empty.get()), nullptr);
    EXPECT_FALSE(empty->IsParsed()) << "a string item without strings";
    EXPECT_EQ(empty->GetCount(), 0u);
    EXPECT_EQ(empty->GetId(), 0x21080011u);
}

using BiosItemDeathTest = BiosItemTest;

TEST_F(BiosItemDeathTest, StringIndexBeyondTheTextsAsserts)
{
    auto levels = Item(0x21080006);
    ASSERT_NE(levels, nullptr);
    EXPECT_EXIT(levels->IndexToString(2), ::testing::ExitedWithCode(3),
                biostest::Literally("Assertion failed: index < m_strs.size(), file "
                                    "kelp\\vantor\\Source\\BiosInterface, line 708"));
}

} // namespace
