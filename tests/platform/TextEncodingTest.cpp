#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

TEST(TextEncoding, PackTextsReadAsUtf8WhenValidElseAsWindows1252) {
    const std::pair<std::string, std::string> cases[] = {
        {"Caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "Caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"}, // kept
        {"\x93Quay\x94 \x80" "5 \x96 x", "\u201CQuay\u201D \u20AC" "5 \u2013 x"}, {"Caf\xe9\x9f\xff", "Caf\u00E9\u0178\u00FF"},
        {"\x81\x8d\x8f\x90\x9d", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"}, // undefined in the code page
        // Cut short, overlong, a surrogate, beyond U+10FFFF: not UTF-8.
        {"\xc3", "\u00C3"}, {"\xc0\xaf", "\u00C0\u00AF"}, {"\xed\xa0\x80", "\u00ED\u00A0\u20AC"}, {"\xf4\x90\x80\x80", "\u00F4\uFFFD\u20AC\u20AC"}};
    for (const auto& [in, shown] : cases)
        EXPECT_EQ(ToDisplayText(in), shown) << in;
}
