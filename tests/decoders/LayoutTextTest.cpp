// The text of stored form layouts: lines, object headers and values, with
// every malformed form refused by a syntax error rather than a crash.

#include "framework/layout/LayoutText.h"

#include <gtest/gtest.h>

namespace {

std::string SyntaxError(const std::string& text)
{
    try {
        ParseLayoutValue(text);
    } catch (const ELayoutSyntax& error) {
        return error.what();
    }
    return "";
}

} // namespace

TEST(LayoutTextTest, ValuesOfEveryKind)
{
    EXPECT_EQ(ParseLayoutValue("-3").integer, -3);
    EXPECT_EQ(ParseLayoutValue("$FF").integer, 255);
    TLayoutValue text = ParseLayoutValue("'it''s' + 'me'");
    EXPECT_EQ(text.kind, TLayoutValue::Kind::String);
    EXPECT_EQ(text.text, "it's" "me");
    TLayoutValue set = ParseLayoutValue("[fsBold, fsItalic]");
    EXPECT_EQ(set.items, (std::vector<std::string>{"fsBold", "fsItalic"}));
    EXPECT_TRUE(ParseLayoutValue("[]").items.empty());
    EXPECT_EQ(ParseLayoutValue("clRed").text, "clRed");
}

TEST(LayoutTextTest, MalformedValuesAreSyntaxErrors)
{
    EXPECT_EQ(SyntaxError(""), "missing value");
    EXPECT_EQ(SyntaxError("'open"), "unterminated string");
    EXPECT_EQ(SyntaxError("'a' 'b'"), "unexpected text after string");
    EXPECT_EQ(SyntaxError("'a' + 3"), "only strings can be joined with +");
    EXPECT_EQ(SyntaxError("'a' +"), "missing value");
    EXPECT_EQ(SyntaxError("[a, 1b]"), "bad set member '1b'");
    EXPECT_EQ(SyntaxError("[a"), "unterminated set");
    EXPECT_EQ(SyntaxError("99999999999999999999"), "bad number '99999999999999999999'");
    EXPECT_EQ(SyntaxError("$"), "bad number '$'");
    EXPECT_EQ(SyntaxError("12px"), "bad number '12px'");
    EXPECT_EQ(SyntaxError("a-b"), "cannot read value 'a-b'");
}

TEST(LayoutTextTest, LongJoinedStringsNeedNoDeepStack)
{
    std::string line = "'x'";
    for (int i = 0; i < 200000; ++i)
        line += " + 'x'";
    EXPECT_EQ(ParseLayoutValue(line).text.size(), 200001u);
}

TEST(LayoutTextTest, LinesAndHeaders)
{
    auto lines = SplitLayoutLines("object Main: TForm\r\n  // note\n\t Caption = 'a = b' \n end");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(IsLayoutFiller(lines[1]));
    std::string name, className, path, value;
    ParseLayoutObject(lines[0], name, className);
    EXPECT_EQ(name, "Main");
    EXPECT_EQ(className, "TForm");
    SplitLayoutProperty(lines[2], path, value);
    EXPECT_EQ(path, "Caption");
    EXPECT_EQ(value, "'a = b'");
    for (const char* bad : {"object Main TForm", "object : TForm", "object Main:", "objectMain: T", "object 1: T"})
        EXPECT_THROW(ParseLayoutObject(bad, name, className), ELayoutSyntax) << bad;
    EXPECT_THROW(SplitLayoutProperty("Caption 'x'", path, value), ELayoutSyntax);
}
