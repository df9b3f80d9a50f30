#include "cutting/PieceImages.h"

#include "app/Log.h"
#include "cutting/Bevel.h"
#include "cutting/CMaskCache.h"
#include "cutting/CPieceMask.h"
#include "cutting/CutContext.h"
#include "cutting/CutTable.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "play/CPiece.h"
#include "play/CPuzzle.h"

#include <algorithm>
#include <cstring>

namespace {
// Replaces image `rotation` of the piece with a new side x side surface, transparent
// white and filled with white. False (logged) when the display cannot make it.
bool MakeImageFromMask(CDisplay* display, CPiece* piece, int rotation, int side) {
    delete piece->images[rotation];
    piece->images[rotation] = nullptr;
    CSurface* surface = nullptr;
    if (!display || display->NewSurface(&surface, side, side, false) != S_OK || !surface) {
        delete surface;
        LogWrite(0, "Failed to create surface! MakeImageFromMask()");
        return false;
    }
    surface->SetTransparentColour(0xFFFFFF);
    surface->Fill(0xFFFFFF, true);
    piece->images[rotation] = surface;
    return true;
}

// Turns an S x S image of bpp-byte pixels (no row padding) a quarter turn clockwise:
// new (x, y) = old (y, S - 1 - x) as column, row. Built in `work`, copied back whole.
void RotateScratch(std::uint8_t* image, std::uint8_t* work, int side, int bpp) {
    const std::size_t px = static_cast<std::size_t>(bpp);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            std::memcpy(work + (static_cast<std::size_t>(y) * side + x) * px,
                        image + (static_cast<std::size_t>(side - 1 - x) * side + y) * px, px);
    std::memcpy(image, work, static_cast<std::size_t>(side) * side * px);
}

int PictureBytesPerPixel(const CPuzzle* puzzle, const CDisplay* display) {
    if (puzzle->pictureSurface) return BytesPerPixel(puzzle->pictureSurface->pixelFormat);
    if (display) return BytesPerPixel(display->Format());
    return 4;
}

// The box of a mask, kept within the image (a mask without a shadow has an empty one).
void ClampedBox(const CPieceMask* mask, int side, int* l, int* t, int* r, int* b) {
    *l = std::max(mask->left, 0);
    *t = std::max(mask->top, 0);
    *r = std::min(mask->right, std::min(side, mask->width));
    *b = std::min(mask->bottom, std::min(side, mask->height));
}

// The two scratch buffers, Bpp x S x S bytes each, for the picture's layout and the
// context's cell size.
void AllocateScratchBuffers(const CutContext& context, CPuzzle* puzzle) {
    const std::size_t side = static_cast<std::size_t>(PieceImageSide(context.cellSize));
    const std::size_t bpp = static_cast<std::size_t>(PictureBytesPerPixel(puzzle, context.display));
    const std::size_t size = bpp * side * side;
    for (auto& buffer : puzzle->scratch)
        buffer.assign(size, 0);
}
} // namespace

void PreparePieceBuild(const CutContext& context, CPuzzle* puzzle) {
    for (auto& piece : puzzle->pieces)
        if (piece) std::fill(std::begin(piece->masks), std::end(piece->masks), nullptr);
    if (context.maskCache) context.maskCache->Clear();
    if (puzzle->userotation) AllocateScratchBuffers(context, puzzle);
    MakePictureCopy(puzzle->pictureSurface, &puzzle->pictureCopy);
}

void CPiece::BuildImages(const CutContext& context, CPuzzle* puzzle) {
    const int cell = context.cellSize;
    const int h = cell / 2;
    const int side = 4 * h;
    const PictureCopy& picture = puzzle->pictureCopy;
    const int bpp = picture.bytesPerPixel;
    const int pictureX = col * cell - h;
    const int pictureY = row * cell - h;
    const bool rotate = puzzle->userotation != 0;
    // Pieces cut small are too small to bevel.
    const bool bevel = puzzle->beveling != 0 && puzzle->cutStyle != CutSmall;
    const BevelParams params = BevelParamsForLevel(puzzle->bevellevel);
    if (bevel) {
        bevelParams[0] = puzzle->bevellevel;
        bevelParams[1] = params.startIntensity;
        bevelParams[2] = params.width;
        bevelParams[3] = params.decrement;
    }
    CMaskCache* cache = context.maskCache;
    if (!cache || side <= 0) return;

    // Writes the picture pixel at image (x, y), black where the picture does not reach.
    auto sample = [&](int x, int y, std::uint8_t* dst) {
        const std::uint8_t* src = picture.PixelAt(pictureX + x, pictureY + y);
        if (src)
            std::memcpy(dst, src, static_cast<std::size_t>(bpp));
        else
            std::memset(dst, 0, static_cast<std::size_t>(bpp));
    };

    // Locks image r and fills its inside pixels with `pixelFor`, then bevels it.
    auto fillImage = [&](int r, auto&& pixelFor) {
        CSurface* image = images[r];
        CPieceMask* mask = masks[r];
        if (!image || !mask || mask->bytes.empty()) return;
        // The copy is in the picture's layout; an image in another one stays transparent.
        if (image->pixelFormat != picture.format || image->desc.dwWidth < side || image->desc.dwHeight < side)
            return;
        std::int32_t pitch = 0;
        std::uint8_t* pixels = image->Lock(&pitch);
        if (!pixels) return;
        int l, t, rt, b;
        ClampedBox(mask, side, &l, &t, &rt, &b);
        for (int y = t; y < b; ++y) {
            const std::uint8_t* maskRow = mask->bytes.data() + static_cast<std::size_t>(y) * mask->width;
            std::uint8_t* row = pixels + static_cast<std::size_t>(y) * pitch;
            for (int x = l; x < rt; ++x)
                if (maskRow[x] == 0) pixelFor(x, y, row + static_cast<std::size_t>(x) * bpp);
        }
        if (bevel && mask->width == side && mask->height == side)
            ApplyBevel(mask->bytes.data(), pixels, bpp, side, side, pitch, picture.format, params);
        image->Unlock();
    };

    if (!rotate) {
        masks[0] = cache->Get(sides, 0, context);
        for (int r = 1; r < 4; ++r) {
            masks[r] = nullptr;
            delete images[r];
            images[r] = nullptr;
        }
        if (!MakeImageFromMask(context.display, this, 0, side)) return;
        fillImage(0, sample);
        return;
    }

    for (int r = 0; r < 4; ++r)
        masks[r] = cache->Get(sides, r, context);
    // Tolerate a caller that did not size the buffers for this cut.
    const std::size_t scratchSize = static_cast<std::size_t>(bpp) * side * side;
    for (auto& buffer : puzzle->scratch)
        if (buffer.size() != scratchSize) buffer.assign(scratchSize, 0);
    std::uint8_t* scratch = puzzle->scratch[0].data();

    // The scratch holds the piece unturned; it is turned a quarter after each image, so
    // image r shows the piece turned r times, cut with the mask of rotation r.
    {
        const CPieceMask* mask = masks[0];
        int l, t, rt, b;
        ClampedBox(mask, side, &l, &t, &rt, &b);
        if (mask->width == side) {
            for (int y = t; y < b; ++y)
                for (int x = l; x < rt; ++x)
                    if (mask->bytes[static_cast<std::size_t>(y) * side + x] == 0)
                        sample(x, y, scratch + (static_cast<std::size_t>(y) * side + x) * bpp);
        }
    }
    auto fromScratch = [&](int x, int y, std::uint8_t* dst) {
        std::memcpy(dst, scratch + (static_cast<std::size_t>(y) * side + x) * bpp,
                    static_cast<std::size_t>(bpp));
    };
    for (int r = 0; r < 4; ++r) {
        // A missing image must not stop the turns, or the later images would be turned wrong.
        if (MakeImageFromMask(context.display, this, r, side)) fillImage(r, fromScratch);
        RotateScratch(scratch, puzzle->scratch[1].data(), side, bpp);
    }
}
