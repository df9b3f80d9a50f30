#include "BenchPuzzle.h"

#include "imaging/BmpCodec.h"
#include "imaging/DecodedImage.h"

#include "JpegWriter.h"
#include "Publisher.h"

#include <cstdio>
#include <fstream>

std::string PublishRampPuzzle(const std::filesystem::path& dir, int width, int height, const char* cut,
                              RampFormat format) {
    DecodedImage picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint32_t>(
                (x * 255 / width) << 16 | (y * 255 / height) << 8 | ((x ^ y) & 0xFF));
    const bool jpeg = format == RampFormat::Jpeg;
    const std::string picturePath = (dir / (jpeg ? "harbour.jpg" : "harbour.bmp")).string();
    std::string error;
    if (jpeg ? !publish::WriteJpegFile(picturePath, picture, 85, &error)
             : !WriteBmpFile(picturePath, picture)) {
        std::fprintf(stderr, "writing the picture failed: %s\n", error.c_str());
        return {};
    }
    const std::string program = (dir / "game-program").string();
    std::ofstream(program, std::ios::binary) << std::string(4096, 'P');

    publish::PublishRequest request;
    request.gameProgram = program;
    request.picturePath = picturePath;
    request.cutName = cut;
    request.title = "Harbour";
    request.output = (dir / "Harbour.exe").string();
    publish::PublishSummary summary;
    if (!publish::Publisher::Publish(request, &summary, &error)) {
        std::fprintf(stderr, "publishing failed: %s\n", error.c_str());
        return {};
    }
    return request.output;
}
