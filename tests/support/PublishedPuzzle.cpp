#include "support/PublishedPuzzle.h"

#include "imaging/BmpCodec.h"

#include <gtest/gtest.h>

#include <fstream>

std::uint32_t GradientPixel(int w, int h, int x, int y) {
    return static_cast<std::uint32_t>((x * 255 / w) << 16 | (y * 255 / h) << 8 | 0x40);
}

DecodedImage GradientPicture(int w, int h) {
    DecodedImage image;
    image.width = w;
    image.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.pixels.push_back(GradientPixel(w, h, x, y));
    return image;
}

publish::PublishRequest PublishGradient(const std::string& folder, int w, int h, const std::string& cut,
                                        const std::string& title, const std::string& output,
                                        publish::PublishSummary* summary) {
    publish::PublishRequest request;
    request.gameProgram = folder + "game-program";
    std::ofstream(request.gameProgram, std::ios::binary) << std::string(4096, 'P');
    request.picturePath = output + "-picture.bmp";
    EXPECT_TRUE(WriteBmpFile(request.picturePath, GradientPicture(w, h)));
    request.cutName = cut;
    request.title = title;
    request.output = output;
    std::string error;
    EXPECT_TRUE(publish::Publisher::Publish(request, summary, &error)) << error;
    return request;
}
