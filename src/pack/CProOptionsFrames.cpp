// Making the banner's frames: every frame of the author's picture becomes a whole-canvas BMP
// in the temporary directory in which pure green marks what shows the board through, and then
// a surface keyed on that green.
#include "pack/CProOptions.h"

#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "imaging/BmpCodec.h"
#include "imaging/GifAnimation.h"
#include "imaging/PictureDecoder.h"
#include "pack/CPackFile.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

namespace {
constexpr std::uint32_t kKeyGreen = 0x00FF00;

// The format named by the file name's extension, in any letter case.
PictureFormat FormatFromFileName(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return PictureUnknown;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return PictureFormatFromName(extension);
}

std::string FrameFileName(int index) {
    return PackTempDirectory() + std::to_string(index) + ".bmp";
}
} // namespace

bool CProOptions::LoadBanner(const std::string& imagePath) {
    frames.clear();
    currentFrame = nullptr;
    lastDrawnFrame = nullptr;
    bannerPlaced = false;
    animationTime = 0.0f;
    cycleLength = 0;

    std::int64_t cycle = 0;
    const auto addFrame = [&](int index, const DecodedImage& image, int delayCs) {
        BannerFrame frame;
        frame.imageFile = FrameFileName(index);
        // An unwritten frame must not pick up an older file of the same name.
        if (!WriteBmpFile(frame.imageFile, image)) frame.imageFile.clear();
        frame.duration = std::max(delayCs, 0) * 10;
        cycle += frame.duration;
        frames.push_back(std::move(frame));
    };

    const PictureFormat format = FormatFromFileName(imagePath);
    if (format == PictureGif) {
        std::vector<std::uint8_t> bytes;
        CGifAnimation gif;
        if (!ReadPictureFile(imagePath, bytes, nullptr) ||
            !gif.Load(bytes.data(), bytes.size(), nullptr, CGifAnimation::kMaxFrames, bannerPixelLimit))
            return false;
        const std::size_t canvas =
            static_cast<std::size_t>(gif.Width()) * static_cast<std::size_t>(gif.Height());
        DecodedImage image;
        std::size_t pixels = 0;
        for (int f = 0; f < gif.FrameCount() && pixels + canvas <= bannerPixelLimit; ++f) {
            // Transparent pixels, and what no frame has covered yet, stay green.
            if (!gif.ComposeFrame(f, kKeyGreen, image)) break;
            addFrame(f, image, gif.Frame(f).delayCs);
            pixels += canvas;
        }
    } else {
        DecodedImage image;
        if (!DecodePictureFile(imagePath, format, image, nullptr) || image.Empty() ||
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) > bannerPixelLimit)
            return false;
        addFrame(0, image, 0);
    }
    if (frames.empty()) return false;
    cycleLength =
        static_cast<std::int32_t>(std::min<std::int64_t>(cycle, std::numeric_limits<std::int32_t>::max()));
    LoadFrameSurfaces();
    // The first frame shows from the first drawing on.
    SelectFrame();
    return true;
}

void CProOptions::LoadFrameSurfaces() {
    for (BannerFrame& frame : frames) {
        frame.surface.reset();
        if (frame.imageFile.empty() || !display) continue;
        CSurface* surface = nullptr;
        if (display->NewSurfaceFromBitmap(&surface, frame.imageFile, 0, 0, false) != S_OK || !surface) {
            delete surface;
            continue;
        }
        surface->SetTransparentColour(kKeyGreen);
        frame.surface.reset(surface);
    }
}
