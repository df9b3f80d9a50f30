// Feeds arbitrary bitmaps down the edge-shape path: the side bitmap is loaded through the
// display into an edge map (and once more through a surface of another pixel layout), then
// stamped on all four sides of a piece outline at a cell size the input picks.
// Input: one byte for the cell size, one for the second layout, then the bitmap file.
#include "FuzzTempFile.h"
#include "cutting/CPieceMask.h"
#include "cutting/CSideList.h"
#include "cutting/CutContext.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "imaging/BmpCodec.h"

#include <memory>

namespace {

constexpr std::size_t kFuzzMaxPixels = 1024 * 1024;
constexpr PixelFormatCode kLayouts[] = {RGB555, RGB565, RGB16Other, RGB24, RGB32};

void CheckMask(const CPieceMask& mask, int cell) {
    const int side = PieceImageSide(cell);
    if (mask.width != side || mask.height != side ||
        mask.bytes.size() != static_cast<std::size_t>(side) * static_cast<std::size_t>(side))
        __builtin_trap();
    if (mask.left != 9999 && (mask.left < 0 || mask.top < 0 || mask.right > side || mask.bottom > side ||
                              mask.left >= mask.right || mask.top >= mask.bottom))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    static CDisplay display;
    if (!display.Created() && display.CreateWindowedDisplay(1, 64, 64) != S_OK) __builtin_trap();
    static const std::string bitmapPath = FuzzTempPath("side.bmp");
    const int cell = 2 * (1 + data[0] % 64);
    const PixelFormatCode layout = kLayouts[data[1] % std::size(kLayouts)];
    const std::uint8_t* bitmap = data + 2;
    const std::size_t bitmapSize = size - 2;

    // Keep each run quick: pictures the fuzzer's budget cannot afford are not loaded.
    DecodedImage image;
    if (!DecodeBmp(bitmap, bitmapSize, image, nullptr, kFuzzMaxPixels)) return 0;
    if (!FuzzWriteFile(bitmapPath, bitmap, bitmapSize)) return 0;

    CSideList list;
    for (std::int32_t slot = 0; slot < 4; ++slot) {
        auto shape = std::make_unique<CSideShape>(0, slot, (slot + 2) % 4);
        if (slot % 2 == 0) {
            if (!shape->LoadMap(&display, bitmapPath)) return 0;
        } else {
            CSurface surface;
            SurfaceDesc desc;
            desc.dwWidth = image.width;
            desc.dwHeight = image.height;
            desc.pixelFormat = DescribePixelFormat(layout);
            if (surface.Create(desc) != S_OK || surface.PaintBitmap(image, 0, 0, 0, 0) != S_OK) return 0;
            if (!shape->LoadMapFromSurface(&surface)) __builtin_trap();
        }
        if (shape->map.size() != static_cast<std::size_t>(shape->width) * static_cast<std::size_t>(shape->height) ||
            shape->width != image.width || shape->height != image.height)
            __builtin_trap();
        list.shapes.push_back(std::move(shape));
    }

    CutContext context;
    context.cellSize = cell;
    context.sideList = &list;
    context.display = &display;
    const MaskKeyEntry sides[4] = {{0, 0, -1}, {1, 0, -1}, {2, 0, -1}, {3, 0, -1}};
    CPieceMask mask;
    mask.Build(sides, context);
    CheckMask(mask, cell);
    return 0;
}
