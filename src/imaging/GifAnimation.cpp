#include "imaging/GifAnimation.h"

#include "imaging/PictureDecoder.h"

#include <algorithm>
#include <cstring>

#include <gif_lib.h>

namespace {

struct MemoryReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    if (length <= 0) return 0;
    const std::size_t n = std::min(static_cast<std::size_t>(length), reader->size - reader->pos);
    std::memcpy(buffer, reader->data + reader->pos, n);
    reader->pos += n;
    return static_cast<int>(n);
}

// Closes the library's handle on every way out.
struct GifHandle {
    GifFileType* gif = nullptr;
    ~GifHandle() {
        int error = 0;
        if (gif) DGifCloseFile(gif, &error);
    }
};

std::vector<std::uint32_t> PaletteOf(const ColorMapObject* map) {
    std::vector<std::uint32_t> palette;
    if (!map || !map->Colors || map->ColorCount <= 0) return palette;
    const int count = std::min(map->ColorCount, 256);
    palette.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const GifColorType& c = map->Colors[i];
        palette.push_back((static_cast<std::uint32_t>(c.Red) << 16) |
                          (static_cast<std::uint32_t>(c.Green) << 8) | c.Blue);
    }
    return palette;
}

// Steps over the compressed data of an image that is not kept.
bool SkipImageData(GifFileType* gif) {
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR) return false;
    while (block) {
        if (DGifGetCodeNext(gif, &block) == GIF_ERROR) return false;
    }
    return true;
}

// Reads the rows of the current image, undoing the four-pass interlace.
bool ReadImageRows(GifFileType* gif, GifFrame& frame, bool interlaced) {
    const std::size_t w = static_cast<std::size_t>(frame.width);
    frame.indices.assign(w * static_cast<std::size_t>(frame.height), 0);
    auto readRow = [&](int y) {
        return DGifGetLine(gif, frame.indices.data() + static_cast<std::size_t>(y) * w, frame.width) !=
               GIF_ERROR;
    };
    if (!interlaced) {
        for (int y = 0; y < frame.height; ++y)
            if (!readRow(y)) return false;
        return true;
    }
    static const int kStart[4] = {0, 4, 2, 1};
    static const int kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < frame.height; y += kStep[pass])
            if (!readRow(y)) return false;
    return true;
}

} // namespace

bool CGifAnimation::Load(const std::uint8_t* data, std::size_t size, std::string* error, int maxFrames,
                         std::size_t maxPixels) {
    Reset();
    auto fail = [&](const std::string& message) {
        if (error) *error = message;
        frames.clear();
        width = height = 0;
        return false;
    };
    if (!data || size < 6 || std::memcmp(data, "GIF", 3) != 0) return fail("not a GIF file");
    maxFrames = std::clamp(maxFrames, 1, kMaxFrames);

    MemoryReader reader{data, size, 0};
    int openError = 0;
    GifHandle handle;
    handle.gif = DGifOpen(&reader, ReadFromMemory, &openError);
    GifFileType* gif = handle.gif;
    if (!gif) {
        const char* text = GifErrorString(openError);
        return fail(text ? text : "GIF header unreadable");
    }

    width = gif->SWidth;
    height = gif->SHeight;
    const std::vector<std::uint32_t> globalPalette = PaletteOf(gif->SColorMap);

    GifFrame pending; // timing and transparency of the next image
    std::size_t storedPixels = 0;
    std::string stopReason;
    bool done = false;
    while (!done) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
            stopReason = "GIF data ends early";
            break;
        }
        if (type == TERMINATE_RECORD_TYPE) break;
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
                stopReason = "GIF extension unreadable";
                break;
            }
            GraphicsControlBlock gcb;
            if (code == GRAPHICS_EXT_FUNC_CODE && block &&
                DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) {
                pending.delayCs = gcb.DelayTime;
                pending.transparentIndex = gcb.TransparentColor;
                pending.disposal = gcb.DisposalMode;
            }
            bool ok = true;
            while (block && ok)
                ok = DGifGetExtensionNext(gif, &block) != GIF_ERROR;
            if (!ok) {
                stopReason = "GIF extension unreadable";
                break;
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE) {
            stopReason = "GIF record unknown";
            break;
        }

        if (DGifGetImageDesc(gif) == GIF_ERROR) {
            stopReason = "GIF image descriptor unreadable";
            break;
        }
        GifFrame frame = pending;
        pending = GifFrame{};
        frame.left = gif->Image.Left;
        frame.top = gif->Image.Top;
        frame.width = gif->Image.Width;
        frame.height = gif->Image.Height;
        frame.palette = PaletteOf(gif->Image.ColorMap ? gif->Image.ColorMap : gif->SColorMap);

        if (frame.width <= 0 || frame.height <= 0) {
            // Nothing to draw, but its delay still counts in an animation.
            frame.width = frame.height = 0;
            if (!SkipImageData(gif)) {
                stopReason = "GIF data ends early";
                break;
            }
        } else {
            const std::size_t area =
                static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height);
            if (frame.width > kMaxPictureSide || frame.height > kMaxPictureSide || area > maxPixels ||
                storedPixels + area > maxPixels) {
                stopReason = "GIF frame too large";
                break;
            }
            if (frames.empty()) {
                // Some writers leave the screen smaller than the first image; grow it.
                width = std::max(width, frame.left + frame.width);
                height = std::max(height, frame.top + frame.height);
                if (width > kMaxPictureSide || height > kMaxPictureSide ||
                    static_cast<std::size_t>(width) * static_cast<std::size_t>(height) > maxPixels) {
                    stopReason = "GIF picture too large";
                    break;
                }
            }
            if (!ReadImageRows(gif, frame, gif->Image.Interlace)) {
                stopReason = "GIF data ends early";
                break;
            }
            storedPixels += area;
        }
        frames.push_back(std::move(frame));
        if (static_cast<int>(frames.size()) >= maxFrames) done = true;
    }

    if (frames.empty()) return fail(stopReason.empty() ? "GIF file has no image" : stopReason);
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) > maxPixels)
        return fail("GIF screen size unusable");
    if (error) error->clear();
    return true;
}

bool CGifAnimation::LoadFile(const std::string& path, std::string* error, int maxFrames) {
    std::vector<std::uint8_t> bytes;
    if (!ReadPictureFile(path, bytes, error)) {
        Reset();
        return false;
    }
    return Load(bytes.data(), bytes.size(), error, maxFrames);
}

void CGifAnimation::Reset() {
    width = height = 0;
    frames.clear();
    composedIndex = -1;
    composedFill = 0;
    canvas.clear();
    beforeLast.clear();
}

void CGifAnimation::DrawFrame(const GifFrame& frame, std::vector<std::uint32_t>& target) const {
    const int x0 = std::max(frame.left, 0), x1 = std::min(frame.left + frame.width, width);
    const int y0 = std::max(frame.top, 0), y1 = std::min(frame.top + frame.height, height);
    const std::size_t paletteSize = frame.palette.size();
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* src =
            frame.indices.data() + static_cast<std::size_t>(y - frame.top) * frame.width;
        std::uint32_t* dst = target.data() + static_cast<std::size_t>(y) * width;
        for (int x = x0; x < x1; ++x) {
            const int index = src[x - frame.left];
            if (index == frame.transparentIndex) continue;
            // An index beyond the table (or no table at all) shows as black.
            dst[x] = static_cast<std::size_t>(index) < paletteSize ? frame.palette[index] : 0;
        }
    }
}

void CGifAnimation::FillRect(const GifFrame& frame, std::uint32_t fill,
                             std::vector<std::uint32_t>& target) const {
    const int x0 = std::max(frame.left, 0), x1 = std::min(frame.left + frame.width, width);
    const int y0 = std::max(frame.top, 0), y1 = std::min(frame.top + frame.height, height);
    if (x0 >= x1) return; // wholly beside the canvas
    for (int y = y0; y < y1; ++y)
        std::fill(target.begin() + static_cast<std::ptrdiff_t>(y) * width + x0,
                  target.begin() + static_cast<std::ptrdiff_t>(y) * width + x1, fill);
}

bool CGifAnimation::ComposeFrame(int index, std::uint32_t fill, DecodedImage& out) {
    if (index < 0 || index >= FrameCount()) return false;
    if (composedIndex < 0 || composedIndex > index || fill != composedFill) {
        // Start again from an empty canvas.
        composedIndex = -1;
        composedFill = fill;
        canvas.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
        beforeLast.clear();
    }
    while (composedIndex < index) {
        if (composedIndex >= 0) {
            const GifFrame& last = frames[static_cast<std::size_t>(composedIndex)];
            if (last.disposal == DISPOSE_BACKGROUND)
                FillRect(last, fill, canvas);
            else if (last.disposal == DISPOSE_PREVIOUS && !beforeLast.empty())
                canvas.swap(beforeLast);
        }
        ++composedIndex;
        const GifFrame& next = frames[static_cast<std::size_t>(composedIndex)];
        if (next.disposal == DISPOSE_PREVIOUS)
            beforeLast = canvas;
        else
            beforeLast.clear();
        DrawFrame(next, canvas);
    }
    out.width = width;
    out.height = height;
    out.pixels = canvas;
    return true;
}
