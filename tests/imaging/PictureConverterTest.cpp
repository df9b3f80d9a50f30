#include "imaging/PictureConverter.h"
#include "app/Globals.h"
#include "imaging/BmpCodec.h"
#include "imaging/PictureDecoder.h"
#include "support/PictureFiles.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class PictureConverter : public ::testing::Test {
  protected:
    TempDir dir;
    std::string savedTemp = g_tempDirectory;
    void SetUp() override { g_tempDirectory = dir.Str(); }
    void TearDown() override { g_tempDirectory = savedTemp; }

    std::string Bitmap() const { return dir.File("puzzle1.bmp"); }
    std::vector<std::uint32_t> BitmapPixels() {
        DecodedImage bmp;
        std::string error;
        EXPECT_TRUE(ReadBmpFile(Bitmap(), bmp, &error)) << error;
        return bmp.pixels;
    }
    void LeaveOldBitmap() {
        ASSERT_TRUE(WriteBmpFile(Bitmap(), ImageOf(2, 2, {0x123456, 0x123456, 0x123456, 0x123456})));
    }
};

} // namespace

TEST_F(PictureConverter, EachFormatReachesItsDecoderAndLandsInPuzzle1) {
    // The first GIF frame, pure white unchanged: only the picture surface nudges it later.
    GifFrameSpec first;
    first.width = 3;
    first.height = 2;
    first.indices = {0, 1, 2, 3, 0, 1};
    GifFrameSpec second = first;
    second.indices.assign(6, 3);
    MakeGif(dir.File("pic"), 3, 2, {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF}, {first, second});
    LeaveOldBitmap();
    ASSERT_TRUE(ConvertPictureToBitmap(dir.File("pic"), PictureGif));
    EXPECT_EQ(PictureBitmapPath(), Bitmap());
    EXPECT_EQ(BitmapPixels(),
              (std::vector<std::uint32_t>{0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000}));

    const DecodedImage source = ImageOf(2, 1, {0x010203, 0x040506});
    WriteBytes(dir.File("b"), EncodeBmp24(source));
    ASSERT_TRUE(ConvertPictureToBitmap(dir.File("b"), PictureBmp, Bitmap()));
    EXPECT_EQ(BitmapPixels(), source.pixels);

    // The decoder follows the format given, not what the bytes are.
    DecodedImage img;
    std::string error;
    MakeJpeg(dir.File("pic"), 20, 10, [](int, int) { return 0x2080C0u; });
    ASSERT_TRUE(DecodePictureFile(dir.File("pic"), PictureJpeg, img, &error)) << error;
    EXPECT_EQ(img.width, 20);
    EXPECT_FALSE(DecodePictureFile(dir.File("pic"), PictureGif, img, &error));
    EXPECT_FALSE(DecodePictureFile(dir.File("pic"), PictureUnknown, img, &error));
    EXPECT_TRUE(img.Empty());
}

TEST_F(PictureConverter, FailedConversionLeavesNoOlderPictureBehind) {
    const Bytes jpeg =
        MakeJpeg(dir.File("full.jpg"), 40, 40, [](int x, int) { return x < 20 ? 0xFFu : 0xFF00u; });
    WriteBytes(dir.File("cut"),
               Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 2)));
    for (const auto& [file, format] :
         {std::pair{"cut", PictureJpeg}, {"full.jpg", PictureUnknown}, {"missing", PicturePcx}}) {
        LeaveOldBitmap();
        EXPECT_FALSE(ConvertPictureToBitmap(dir.File(file), format)) << file;
        EXPECT_FALSE(std::filesystem::exists(Bitmap())) << file;
    }
    // An output that cannot be written is reported as such.
    EXPECT_FALSE(
        ConvertPictureToBitmap(dir.File("full.jpg"), PictureJpeg, dir.File("no/such/folder/puzzle1.bmp")));
    EXPECT_TRUE(ConvertPictureToBitmap(dir.File("full.jpg"), PictureJpeg));
}
