#include "imaging/PictureFormat.h"

#include <gtest/gtest.h>

TEST(PictureFormat, TypeNamesAreExactAndCaseSensitive) {
    EXPECT_EQ(PictureFormatFromName("bmp"), PictureBmp);
    EXPECT_EQ(PictureFormatFromName("gif"), PictureGif);
    EXPECT_EQ(PictureFormatFromName("jpg"), PictureJpeg);
    EXPECT_EQ(PictureFormatFromName("jpeg"), PictureJpeg);
    EXPECT_EQ(PictureFormatFromName("ico"), PictureIco);
    EXPECT_EQ(PictureFormatFromName("pcx"), PicturePcx);
    for (const char* name : {"JPG", "Gif", "jpg ", " bmp", "png", "", "jp"})
        EXPECT_EQ(PictureFormatFromName(name), PictureUnknown) << '"' << name << '"';
}

TEST(PictureFormat, FileNamesUseTheLowercasedLastExtension) {
    EXPECT_EQ(PictureFormatFromFileName("/tmp/pro_image.JPG"), PictureJpeg);
    EXPECT_EQ(PictureFormatFromFileName("pro_image.gif"), PictureGif);
    EXPECT_EQ(PictureFormatFromFileName("archive.bmp.Pcx"), PicturePcx);
    EXPECT_EQ(PictureFormatFromFileName("a.JpEg"), PictureJpeg);
    // No dot at all, a trailing dot, and a dot only in a folder name give no format.
    EXPECT_EQ(PictureFormatFromFileName("pro_image"), PictureUnknown);
    EXPECT_EQ(PictureFormatFromFileName("pro_image."), PictureUnknown);
    EXPECT_EQ(PictureFormatFromFileName("/tmp/x.gif/pro_image"), PictureUnknown);
}
