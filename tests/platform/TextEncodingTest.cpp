#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

TEST(TextEncoding, PackTextsReadAsUtf8WhenValidElseAsWindows1252) {
    struct Case {
        std::string in, shown;
    } cases[] = {
        {"Autumn", "Autumn"},
        {"Caf\xc3\xa9 \xe2\x82\xac", "Caf\xc3\xa9 \xe2\x82\xac"},                      // already UTF-8
        {"\x93Quay\x94 \x80" "5 \x96 x", "\u201CQuay\u201D \u20AC" "5 \u2013 x"}, // quotes, euro, dash
        {"Caf\xe9", "Caf\u00E9"},
        {"\x81\x8d\x8f\x90\x9d", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"}, // undefined in the code page
        {"\x9f\xff", "\u0178\u00FF"},
        {"\xc3", "\u00C3"},                   // a sequence cut short
        {"\xc0\xaf", "\u00C0\u00AF"},         // overlong form of '/'
        {"\xed\xa0\x80", "\u00ED\u00A0\u20AC"}, // a UTF-16 surrogate
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToDisplayText(c.in), c.shown) << c.in;
    EXPECT_TRUE(IsValidUtf8("\xf0\x9f\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xf4\x90\x80\x80")) << "beyond U+10FFFF";
}
