#include "framework/system/Trace.h"

#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <vector>

namespace {
std::mutex g_linesLock;
std::vector<std::string> g_lines;

void Collect(const char* line)
{
    std::lock_guard<std::mutex> lock(g_linesLock);
    g_lines.emplace_back(line);
}

class TraceTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_lines.clear();
        SetTraceObserver(&Collect);
    }
    void TearDown() override { SetTraceObserver(nullptr); }
    std::string Only()
    {
        EXPECT_EQ(g_lines.size(), 1u);
        return g_lines.empty() ? std::string() : g_lines.back();
    }
};
} // namespace

TEST_F(TraceTest, FormatsTrimsAndEndsWithCrLf)
{
    Trace("~~~ level %d -> %s \t \n\n", 3, "Turbo");
    EXPECT_EQ(Only(), "~~~ level 3 -> Turbo\r\n");

    g_lines.clear();
    Trace("   ");
    EXPECT_EQ(Only(), "\r\n");
}

TEST_F(TraceTest, KeepsAtMost4093Characters)
{
    std::string longText(5000, 'x');
    Trace("%s", longText.c_str());
    std::string line = Only();
    ASSERT_EQ(line.size(), 4093u + 2u);
    EXPECT_EQ(line.substr(0, 4093), std::string(4093, 'x'));
    EXPECT_EQ(line.substr(4093), "\r\n");

    // White space that survives the cut is still trimmed.
    g_lines.clear();
    std::string padded = std::string(4090, 'y') + std::string(10, ' ');
    Trace("%s", padded.c_str());
    EXPECT_EQ(Only(), std::string(4090, 'y') + "\r\n");
}
