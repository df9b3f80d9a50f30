#include "pack/AuthorExtras.h"

#include <gtest/gtest.h>

namespace {

AuthorExtras Everything() {
    AuthorExtras e;
    e.title = "Harbour Collection";
    e.bannerFlag = 1;
    e.linkFlag = 1;
    e.linkAddress = "https://example.org/";
    e.imageExtension = "gif";
    e.placement = 8;
    e.exitPageFlag = 1;
    e.exitPage = "https://example.org/bye";
    e.infoPageFlag = 1;
    e.infoPageName = "info.html";
    e.dialogWidth = 400;
    e.dialogHeight = 300;
    e.aboutTextFlag = 1;
    e.aboutText = "More puzzles every month";
    e.aboutButtonFlag = 1;
    e.buttonCaption = "Visit";
    e.buttonTarget = "mailto:author@example.org";
    e.previewForbidden = 1;
    return e;
}

} // namespace

TEST(AuthorExtras, FlaggedFieldsTravelOnlyWithTheirFlagAndCutRecordsKeepWhatWasWhole) {
    AuthorExtras full = Everything();
    auto bytes = EncodeAuthorExtras(full);
    AuthorExtras read;
    ASSERT_TRUE(ParseAuthorExtras(bytes, read));
    EXPECT_EQ(read, full);

    // Without a banner the next integer after the title is the exit page flag.
    AuthorExtras plain;
    plain.title = "T";
    plain.exitPageFlag = 1;
    plain.exitPage = "https://example.org/bye";
    plain.previewForbidden = 7;
    bytes = EncodeAuthorExtras(plain);
    EXPECT_EQ(bytes.size(), 4u + 1 + 4 + 4 + 4 + 23 + 4 + 4 + 4 + 4);
    EXPECT_EQ(bytes[9], 1); // the exit flag straight after the banner flag
    ASSERT_TRUE(ParseAuthorExtras(bytes, read));
    EXPECT_EQ(read, plain);

    // Every cut of the full record reads without going past it and keeps a prefix of the fields.
    bytes = EncodeAuthorExtras(full);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        AuthorExtras cut;
        EXPECT_FALSE(ParseAuthorExtras(std::span(bytes.data(), size), cut)) << size;
        EXPECT_EQ(cut.previewForbidden, 0) << size;
        EXPECT_EQ(cut.title, size >= 4 + full.title.size() ? full.title : "") << size;
    }

    // An absurd or negative length stops the reader at that field.
    std::vector<std::uint8_t> absurd = {0xFF, 0xFF, 0xFF, 0x7F, 'x'};
    EXPECT_FALSE(ParseAuthorExtras(absurd, read));
    EXPECT_EQ(read, AuthorExtras{});
    std::vector<std::uint8_t> negative = {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0x80};
    EXPECT_FALSE(ParseAuthorExtras(negative, read));
    EXPECT_EQ(read.bannerFlag, 1);
    EXPECT_TRUE(read.linkAddress.empty());
}
