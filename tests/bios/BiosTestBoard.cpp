#include "tests/bios/BiosTestBoard.h"

#include "board/core/BoardStore.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace biostest {
namespace {
const std::string kStatePath = boardtest::UseOwnBoardState("bios");

const char kTestBoard[] = R"(
[board]
interface=0x00000001|0x03000000|0x0000002A

[item 0x21000001]
name=Millis
base=1
exponent=-3
step=1
count=10

[item 0x21020002]
name=Micros by type
base=1
exponent=-3
step=1
count=10

[item 0x21000003]
name=Shared zero
base=100
exponent=-2
step=50
count=4

[item 0x21000004]
name=With extras
texts=Auto|Off
base=10
step=5
count=3

[item 0x21010005]
name=Negative
base=-50
step=25
count=5

[item 0x21080006]
name=Levels
texts=Low|High
default=1

[item 0x21070007]
name=Switch
default=1
attributes=0x40000000

[item 0x21800008]
name=Plain
base=0
step=1
count=2

[item 0x210C0009]
name=Scaled by type 12
base=5
step=5
count=4

[item 0x21000010]
name=Hundreds
base=3
exponent=2
step=1
count=4

[item 0x21080011]
name=No strings
)";
} // namespace

void LoadTestBoard()
{
    std::string error;
    ASSERT_TRUE(vboard::BoardStore().LoadProfile(boardtest::WriteProfile("bios", kTestBoard), error)) << error;
}

void LoadInstalledProfile(const char* name)
{
    std::string error;
    ASSERT_TRUE(vboard::BoardStore().LoadProfile(name, error)) << error;
}

std::string Literally(const std::string& text)
{
    std::string pattern;
    for (char c : text) {
        if (std::strchr("\\()[]{}.*+?^$|", c))
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

} // namespace biostest
