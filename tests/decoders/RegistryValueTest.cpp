// Registry data of any type and length: only the type and size a reader
// asks for give a value.

#include "kelp/System/RegistryValue.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RegistryValueTest, DwordsNeedTheirTypeAndFourBytes)
{
    const uint8_t bytes[5] = {0x78, 0x56, 0x34, 0x12, 0x99};
    uint32_t value = 7;
    EXPECT_TRUE(kelp::DecodeRegistryDword(kelp::kRegDword, bytes, 4, value));
    EXPECT_EQ(value, 0x12345678u);
    value = 7;
    for (size_t size : {0u, 3u, 5u})
        EXPECT_FALSE(kelp::DecodeRegistryDword(kelp::kRegDword, bytes, size, value)) << size;
    for (uint32_t type : {kelp::kRegString, kelp::kRegBinary, 11u /* QWORD */, 0xFFFFFFFFu})
        EXPECT_FALSE(kelp::DecodeRegistryDword(type, bytes, 4, value)) << type;
    EXPECT_FALSE(kelp::DecodeRegistryDword(kelp::kRegDword, nullptr, 4, value));
    EXPECT_EQ(value, 7u);  // the caller's default survives
}

TEST(RegistryValueTest, StringsEndAtTheirTerminatorOrTheirData)
{
    std::string text = "default";
    const uint8_t unterminated[] = {'1', '.', '2'};
    ASSERT_TRUE(kelp::DecodeRegistryString(kelp::kRegString, unterminated, 3, text));
    EXPECT_EQ(text, "1.2");
    const uint8_t multi[] = {'a', 0, 'b', 0, 0};
    ASSERT_TRUE(kelp::DecodeRegistryString(kelp::kRegMultiString, multi, 5, text));
    EXPECT_EQ(text, "a");
    ASSERT_TRUE(kelp::DecodeRegistryString(kelp::kRegExpandString, nullptr, 0, text));
    EXPECT_EQ(text, "");

    text = "default";
    EXPECT_FALSE(kelp::DecodeRegistryString(kelp::kRegBinary, unterminated, 3, text));
    EXPECT_FALSE(kelp::DecodeRegistryString(kelp::kRegDword, unterminated, 3, text));
    EXPECT_FALSE(kelp::DecodeRegistryString(kelp::kRegString, nullptr, 3, text));
    EXPECT_EQ(text, "default");
}
