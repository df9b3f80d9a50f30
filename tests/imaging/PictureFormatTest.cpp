#include "imaging/PictureFormat.h"

#include <gtest/gtest.h>

TEST(PictureFormat, TypeNamesAreExactAndFileNamesUseTheLowercasedLastExtension) {
    const std::pair<const char*, PictureFormat> names[] = {
        {"bmp", PictureBmp},     {"gif", PictureGif}, {"jpg", PictureJpeg},    {"jpeg", PictureJpeg},
        {"ico", PictureIco},     {"pcx", PicturePcx}, {"JPG", PictureUnknown}, {"jpg ", PictureUnknown},
        {"png", PictureUnknown}, {"", PictureUnknown}};
    for (const auto& [name, format] : names)
        EXPECT_EQ(PictureFormatFromName(name), format) << '"' << name << '"';
    const std::pair<const char*, PictureFormat> files[] = {{"/tmp/pro_image.JPG", PictureJpeg},
                                                           {"archive.bmp.Pcx", PicturePcx},
                                                           {"pro_image", PictureUnknown},
                                                           {"pro_image.", PictureUnknown},
                                                           {"/tmp/x.gif/pro_image", PictureUnknown}};
    for (const auto& [name, format] : files)
        EXPECT_EQ(PictureFormatFromFileName(name), format) << name;
}
