#pragma once
// A GIF file read into its frames: each frame's rectangle, timing, disposal, palette and
// colour indices. Frames are composed onto a canvas the size of the logical screen the way
// browsers show them, so a picture takes frame 0 and an animated banner walks all of them.
#include "imaging/DecodedImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int delayCs = 0;                    // hundredths of a second, as the file gives it
    int transparentIndex = -1;          // -1: every index is opaque
    int disposal = 0;                   // 0/1 keep, 2 clear to the fill colour, 3 restore what was there
    std::vector<std::uint32_t> palette; // 0x00RRGGBB, the local table or else the global one
    std::vector<std::uint8_t> indices;  // width * height, top row first (interlace undone)
};

class CGifAnimation {
  public:
    // More frames than this are not read; a banner never needs them.
    static constexpr int kMaxFrames = 4096;

    CGifAnimation() = default;
    virtual ~CGifAnimation() = default;

    // Reads up to maxFrames frames. A file that breaks off after at least one whole frame
    // keeps the frames read so far; one that breaks off in frame 0 fails. maxPixels bounds
    // the canvas and, added up, the stored frames.
    bool Load(const std::uint8_t* data, std::size_t size, std::string* error, int maxFrames = kMaxFrames,
              std::size_t maxPixels = kMaxPicturePixels);
    bool LoadFile(const std::string& path, std::string* error, int maxFrames = kMaxFrames);

    int Width() const { return width; }
    int Height() const { return height; }
    int FrameCount() const { return static_cast<int>(frames.size()); }
    const GifFrame& Frame(int index) const { return frames[static_cast<std::size_t>(index)]; }

    // The canvas as it looks once frame `index` is drawn over frames 0 .. index-1 (each
    // disposed of as it asks). Areas no frame covers, and transparent pixels over them, are
    // `fill`. Walking the frames in order costs one frame each.
    bool ComposeFrame(int index, std::uint32_t fill, DecodedImage& out);

  private:
    void Reset();
    void DrawFrame(const GifFrame& frame, std::vector<std::uint32_t>& target) const;
    void FillRect(const GifFrame& frame, std::uint32_t fill, std::vector<std::uint32_t>& target) const;

    int width = 0;
    int height = 0;
    std::vector<GifFrame> frames;

    // The last composed canvas, so the next frame continues from it.
    int composedIndex = -1;
    std::uint32_t composedFill = 0;
    std::vector<std::uint32_t> canvas;
    std::vector<std::uint32_t> beforeLast; // canvas before the last frame, for disposal 3
};
