#pragma once
// Puzzles published the way authors publish them, onto a stand-in game program.
#include "imaging/BmpCodec.h"

#include "Publisher.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

// A picture whose colour changes from cell to cell, so pieces can be told apart on screen.
inline std::uint32_t GradientPixel(int w, int h, int x, int y) {
    return static_cast<std::uint32_t>((x * 255 / w) << 16 | (y * 255 / h) << 8 | 0x40);
}
inline DecodedImage GradientPicture(int w, int h) {
    DecodedImage image{w, h, {}};
    for (int i = 0; i < w * h; ++i)
        image.pixels.push_back(GradientPixel(w, h, i % w, i / w));
    return image;
}

// Publishes a w x h gradient as `output` onto a stand-in program written into `folder`
// (ending in a separator). Fails the running test when the tool refuses.
inline publish::PublishRequest PublishGradient(const std::string& folder, int w, int h, const std::string& cut,
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
