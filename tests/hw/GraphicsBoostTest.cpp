// Graphics boost over the board's items, the board-backed GpuLib, and the
// processor check.

#include "board/core/BoardStore.h"
#include "framework/system/Trace.h"
#include "hw/GpuNitrelServer.h"
#include "hw/IsRecentIntelProcessor.h"
#include "ipc/VgaServer.h"
#include "kelp/vantor/BiosInterface.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/fan/FanTestBoard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kClock = 0x03010060;
constexpr uint32_t kVoltage = 0x03030061;
constexpr uint32_t kIgd = 0x03080064;
constexpr uint32_t kRequest = 0x05080060;
const char kDriverKey[] = "Software\\VANTOR\\Gruvo Driver";

std::mutex traceLock;
std::vector<std::string> traces;
void Collect(const char* line)
{
    std::lock_guard<std::mutex> guard(traceLock);
    traces.push_back(line);
}

uint32_t Item(uint32_t id)
{
    uint32_t value = 0xDEAD;
    EXPECT_TRUE(kelp::GetItem(id, value)) << std::hex << id;
    return value;
}

void SetReply(const std::vector<uint32_t>& reply)
{
    ASSERT_TRUE(vboard::BoardStore().Update([&](vboard::BoardState& state) {
        state.Find(kRequest)->reply = reply;
        return true;
    }));
}

uint32_t StoredGpuFreq(int modeIndex)
{
    return modeIndex == 0 ? 3 : 6;
}

class GraphicsBoostTest : public testing::Test {
protected:
    void SetUp() override
    {
        fantest::LoadBoard("current");
        HKEY key;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDriverKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("1.0"), 4);
        RegCloseKey(key);
        SetTraceObserver(Collect);
    }
    void TearDown() override
    {
        SetTraceObserver(nullptr);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDriverKey);
    }

    // The items in the order the last SetBoost applied them.
    std::vector<std::string> AppliedOrder()
    {
        std::lock_guard<std::mutex> guard(traceLock);
        std::vector<std::string> order;
        for (const std::string& line : traces)
            if (line.find("[GraphicsBoost] apply item") != std::string::npos)
                order.push_back(line.substr(line.find("item ") + 5, 8));
        traces.clear();
        return order;
    }
};

TEST_F(GraphicsBoostTest, StartsFromTheBoardsValues)
{
    fantest::SetItemValue(kClock, 3);
    kelp::GraphicsBoost boost;
    EXPECT_TRUE(boost.IsAvailable());
    ASSERT_EQ(boost.Items().size(), 2u);
    EXPECT_EQ(boost.Items().front()->Id(), kClock);
    EXPECT_EQ(boost.Items().back()->Id(), kVoltage);
    EXPECT_EQ(boost.InitialBoost(), 3);
    EXPECT_EQ(boost.InitialIgd(), 1u);
    EXPECT_EQ(boost.BoostBase(), 4u);
}

TEST_F(GraphicsBoostTest, ReplyListFeedsTheFollowersAndDownwardsAppliesInReverse)
{
    kelp::GraphicsBoost boost;
    AppliedOrder();
    EXPECT_TRUE(boost.SetBoost(9));
    EXPECT_EQ(Item(kClock), 9u);
    EXPECT_EQ(Item(kVoltage), 9u); // taken from the reply list
    EXPECT_EQ(Item(kIgd), 0u);
    EXPECT_EQ(AppliedOrder(), (std::vector<std::string>{"3010060 ", "3030061 "}));

    EXPECT_TRUE(boost.SetBoost(2));
    EXPECT_EQ(Item(kClock), 2u);
    EXPECT_EQ(Item(kVoltage), 2u);
    EXPECT_EQ(AppliedOrder(), (std::vector<std::string>{"3030061 ", "3010060 "}));
}

TEST_F(GraphicsBoostTest, EmptyReplyListChangesOnlyTheFirstItem)
{
    SetReply({});
    fantest::SetItemValue(kVoltage, 6);
    kelp::GraphicsBoost boost;
    EXPECT_TRUE(boost.SetBoost(5));
    EXPECT_EQ(Item(kClock), 5u);
    EXPECT_EQ(Item(kVoltage), 6u);
}

TEST_F(GraphicsBoostTest, FailedApplyMakesTheBoostFail)
{
    kelp::GraphicsBoost boost;
    EXPECT_FALSE(boost.SetBoost(40)); // beyond the clock item's values
    EXPECT_EQ(Item(kClock), 0u);
}

TEST_F(GraphicsBoostTest, BoostWithoutTheIntegratedGraphicsItemIsReported)
{
    kelp::GraphicsBoost boost;
    fantest::RemoveItem(kIgd);
    boardtest::MessageBoxCatcher boxes;
    EXPECT_TRUE(boost.SetBoost(5));
    EXPECT_EQ(Item(kClock), 5u);
    auto messages = boxes.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Igd");
    EXPECT_EQ(messages[0].text, "Item 0x03080064 can't supported");
}

TEST_F(GraphicsBoostTest, NeedsTheClockItemAndTheDriver)
{
    fantest::RemoveItem(kClock);
    kelp::GraphicsBoost withoutClock;
    EXPECT_FALSE(withoutClock.IsAvailable());
    EXPECT_FALSE(withoutClock.ItemsSeen());

    fantest::LoadBoard("current");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDriverKey);
    EXPECT_FALSE(kelp::GraphicsBoost().IsAvailable());
}

TEST_F(GraphicsBoostTest, BoardGpuLibFollowsTheModes)
{
    kelp::GraphicsBoost boost;
    kelp::GpuNitrelServer gpu(boost, StoredGpuFreq);
    EXPECT_TRUE(gpu.SetVgaMode(0x4000));
    EXPECT_EQ(Item(kClock), 4u + 3u); // boost base + Turbo's setting
    EXPECT_EQ(Item(kIgd), 0u);
    EXPECT_TRUE(gpu.SetVgaMode(0x8000));
    EXPECT_EQ(Item(kClock), 4u + 6u);
    EXPECT_EQ(Item(kIgd), 1u);
    EXPECT_TRUE(gpu.SetVgaMode(0));
    EXPECT_EQ(Item(kClock), 0u); // the initial boost
    EXPECT_EQ(Item(kIgd), 1u);   // the initial integrated graphics
    uint32_t mode = 7, value = 7;
    EXPECT_TRUE(gpu.GetVgaMode(mode));
    EXPECT_EQ(mode, 0u);
    EXPECT_TRUE(gpu.GetVgaModeValue(0x4000, value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(gpu.GetVgaModeValue(2, value));
    EXPECT_EQ(value, 200u);
}

TEST_F(GraphicsBoostTest, WithoutBoostItemsTheGpuLibIsThePipeServer)
{
    fantest::LoadBoard("legacy");
    EXPECT_EQ(&kelp::GpuLibInstance(StoredGpuFreq), static_cast<kelp::GpuLib*>(&kelp::VgaServer::Instance()));
}

TEST(ProcessorCheck, IntelFromModel1AOn)
{
    EXPECT_TRUE(kelp::IsRecentIntelSignature(0x756E6547, 0x49656E69, 0x106A5));
    EXPECT_TRUE(kelp::IsRecentIntelSignature(0x756E6547, 0x49656E69, 0x906EA));
    EXPECT_FALSE(kelp::IsRecentIntelSignature(0x756E6547, 0x49656E69, 0x10676)); // model 0x17
    EXPECT_FALSE(kelp::IsRecentIntelSignature(0x68747541, 0x69746E65, 0x906EA)); // "AuthenticAMD"
}

// The answer for this machine's own processor, against what the system
// reports about it in the registry ("x86 Family 6 Model 26 Stepping 5").
TEST(ProcessorCheck, AnswerMatchesTheProcessorTheSystemReports)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0, KEY_READ,
                            &key),
              ERROR_SUCCESS);
    char vendor[64] = {}, identifier[128] = {};
    DWORD size = sizeof vendor;
    RegQueryValueExA(key, "VendorIdentifier", nullptr, nullptr, reinterpret_cast<BYTE*>(vendor), &size);
    size = sizeof identifier;
    RegQueryValueExA(key, "Identifier", nullptr, nullptr, reinterpret_cast<BYTE*>(identifier), &size);
    RegCloseKey(key);
    int family = 0, model = 0;
    ASSERT_EQ(std::sscanf(identifier, "%*s Family %d Model %d", &family, &model), 2) << identifier;
    const bool recent = std::string(vendor) == "GenuineIntel" && (family > 6 || (family == 6 && model >= 0x1A));
    EXPECT_EQ(kelp::IsRecentIntelProcessor(), recent) << vendor << " " << identifier;
}

} // namespace
