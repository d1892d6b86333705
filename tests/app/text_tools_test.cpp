#include "viewer/app/text_tools.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

CTextTools tools;

TEST(TextToInt, ReadsDigitsByPlaceValue) {
    EXPECT_EQ(tools.TextToInt("0042"), 42);
    EXPECT_EQ(tools.TextToInt(""), 0);
    EXPECT_EQ(tools.TextToInt("2147483647"), 2147483647);
    // A character that is not a digit counts as -1 at its place.
    EXPECT_EQ(tools.TextToInt("1-"), 9);
    EXPECT_EQ(tools.TextToInt("-5"), -5);
}

TEST(TextToInt, LongTextWrapsWithoutFailing) {
    const std::string huge(200, '9');
    (void)tools.TextToInt(huge);  // defined wrap-around, no trap under UBSan
    EXPECT_EQ(tools.TextToInt("4294967297"), 1);
}

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(TextToFloat, FollowsTheDecimalRule) {
    EXPECT_TRUE(SameBits(tools.TextToFloat("1.5"), 1.5f));
    EXPECT_TRUE(SameBits(tools.TextToFloat(".5"), 0.5f));
    EXPECT_TRUE(SameBits(tools.TextToFloat("2."), 2.0f));
    EXPECT_TRUE(SameBits(tools.TextToFloat("-0.25"), -0.25f));
    EXPECT_TRUE(SameBits(tools.TextToFloat(""), 0.0f));
    EXPECT_TRUE(SameBits(tools.TextToFloat("-"), 0.0f));
    EXPECT_TRUE(SameBits(tools.TextToFloat("3"), 3.0f));
    EXPECT_TRUE(SameBits(tools.TextToFloat("0.3333"), static_cast<float>(0.3333)));
    EXPECT_LT(tools.TextToFloat("0.33"), 0.3333f);
}

TEST(FloatToText, TruncatesToThreeDecimals) {
    EXPECT_EQ(tools.FloatToText(1.0f), "1.0");
    EXPECT_EQ(tools.FloatToText(2.5f), "2.5");
    EXPECT_EQ(tools.FloatToText(0.75f), "0.75");
    EXPECT_EQ(tools.FloatToText(1.3333334f), "1.333");
    EXPECT_EQ(tools.FloatToText(0.05f), "0.05");
    EXPECT_EQ(tools.FloatToText(0.0f), "0.0");
    EXPECT_EQ(tools.FloatToText(0.3333f), "0.333");
    EXPECT_EQ(tools.FloatToText(100.0f), "100.0");
    EXPECT_EQ(tools.FloatToText(0.7f), "0.699");  // 0.69999999 in single precision
    EXPECT_EQ(tools.FloatToText(1.1f), "1.1");    // 1.10000002
}

TEST(PathText, ExtensionAndFileName) {
    EXPECT_EQ(tools.GetExtension("/photos/Beach.JPG"), "jpg");
    EXPECT_EQ(tools.GetExtension("/photos/file"), "");
    EXPECT_EQ(tools.GetExtension("/a.b/file"), "b/file");
    EXPECT_EQ(tools.GetExtension("name."), "");
    EXPECT_EQ(tools.GetFileName("/photos/Beach.JPG"), "Beach.JPG");
    EXPECT_EQ(tools.GetFileName("Beach.JPG"), "");
    EXPECT_EQ(tools.GetFileName("/"), "");
}

}  // namespace
