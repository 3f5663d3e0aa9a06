// The virtual board's profiles and state file: what the board writes, it
// reads back.

#include "board/core/BoardState.h"
#include "board/core/IniDocument.h"

#include <gtest/gtest.h>

TEST(BoardIniTest, SectionHeadersNeedANameThatSurvivesWritingBack)
{
    vboard::IniDocument document;
    std::string error;
    for (const char* header : {"[]", "[ ]", "[\t \t]", "[", "[abc"}) {
        EXPECT_FALSE(document.Parse(std::string(header) + "\nkey=1\n", error)) << header;
        EXPECT_EQ(error, "line 1: malformed section header") << header;
    }
    ASSERT_TRUE(document.Parse("[ knobs ]\nkey = 1\n", error));
    EXPECT_EQ(document.Sections()[0].name, "knobs");

    // A state laid over any readable text writes text that reads again.
    ASSERT_TRUE(document.Parse("; comment\n[other part]\nvalue=a=b\n[item 0x03000011]\nname=Clock\n", error));
    vboard::BoardState state;
    ASSERT_TRUE(state.Apply(document, error)) << error;
    vboard::IniDocument written;
    ASSERT_TRUE(written.Parse(state.ToDocument().ToText(), error)) << error;
    vboard::BoardState again;
    EXPECT_TRUE(again.Apply(written, error)) << error;
}
