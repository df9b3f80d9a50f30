#include "imaging/PictureConverter.h"
#include "JpegWriter.h"
#include "imaging/BmpCodec.h"
#include "imaging/PictureDecoder.h"
#include "support/PictureFiles.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(PictureFormat, TypeNamesAreExact) {
    for (const auto& [name, format] : {std::pair{"jpeg", PictureJpeg},
                                       {"pcx", PicturePcx},
                                       {"JPG", PictureUnknown},
                                       {"jpg ", PictureUnknown},
                                       {"", PictureUnknown}})
        EXPECT_EQ(PictureFormatFromName(name), format) << '"' << name << '"';
}

TEST(PictureConverter, EachFormatReachesItsDecoderAndAFailureLeavesNoOlderBitmap) {
    TempDir dir;
    const std::string bitmap = dir.File("puzzle1.bmp");
    // The first GIF frame, pure white unchanged: only the picture surface nudges it later.
    GifFrameSpec first{0, 0, 3, 2, {0, 1, 2, 3, 0, 1}, {}, -1, -1, 0, false}, second = first;
    second.indices.assign(6, 3);
    MakeGif(dir.File("pic"), 3, 2, {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF}, {first, second});
    ASSERT_TRUE(ConvertPictureToBitmap(dir.File("pic"), PictureGif, bitmap));
    DecodedImage img;
    std::string error;
    ASSERT_TRUE(ReadBmpFile(bitmap, img, &error)) << error;
    EXPECT_EQ(img.pixels,
              (std::vector<std::uint32_t>{0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000}));
    // The decoder follows the format given, not what the bytes are.
    const Bytes jpeg = publish::EncodeJpeg(ImageOf(2, 2, std::vector<std::uint32_t>(4, 0x2080C0)), 90);
    WriteBytes(dir.File("pic"), jpeg);
    EXPECT_FALSE(DecodePictureFile(dir.File("pic"), PictureGif, img, &error) ||
                 DecodePictureFile(dir.File("pic"), PictureUnknown, img, &error));
    EXPECT_TRUE(img.Empty());
    // A failed conversion leaves no older picture behind.
    WriteBytes(dir.File("cut"), Bytes(jpeg.begin(), jpeg.begin() + static_cast<long>(jpeg.size() / 2)));
    for (const auto& [file, format] :
         {std::pair{"cut", PictureJpeg}, {"pic", PictureUnknown}, {"missing", PicturePcx}}) {
        ASSERT_TRUE(WriteBmpFile(bitmap, ImageOf(1, 1, {0x123456})));
        EXPECT_FALSE(ConvertPictureToBitmap(dir.File(file), format, bitmap)) << file;
        EXPECT_FALSE(std::filesystem::exists(bitmap)) << file;
    }
    // An output that cannot be written is reported as such.
    EXPECT_FALSE(
        ConvertPictureToBitmap(dir.File("pic"), PictureJpeg, dir.File("no/such/folder/puzzle1.bmp")));
}
