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

// The box of a mask, kept within the image.
void ClampedBox(const CPieceMask* mask, int side, int* l, int* t, int* r, int* b) {
    *l = std::max(mask->left, 0);
    *t = std::max(mask->top, 0);
    *r = std::min(mask->right, std::min(side, mask->width));
    *b = std::min(mask->bottom, std::min(side, mask->height));
}

// What every image of one piece is cut from: the picture square under the piece's
// S x S image, unturned, and the bevel.
struct PieceSource {
    const PictureCopy* picture;
    int left, top; // picture point under the image's top left corner
    int side;
    bool bevel;
    BevelParams params;
};

// Where pixel (x, y) of an image turned `turns` quarter turns clockwise shows the unturned
// piece: (y, S-1-x) after one turn, (S-1-x, S-1-y) after two and (S-1-y, x) after three.
void Unturned(int turns, int last, int x, int y, int* ux, int* uy) {
    *ux = turns == 1 ? y : turns == 2 ? last - x : turns == 3 ? last - y : x;
    *uy = turns == 1 ? last - x : turns == 2 ? last - y : turns == 3 ? x : y;
}

// The inside pixels of a square that may reach past the picture: black where it does.
template <int N>
void FillClipped(std::uint8_t* pixels, std::int32_t pitch, const CPieceMask* mask, int turns,
                 const PieceSource& source) {
    const PictureCopy& picture = *source.picture;
    const int side = source.side;
    int l, t, rt, b;
    ClampedBox(mask, side, &l, &t, &rt, &b);
    for (int y = t; y < b; ++y) {
        const std::uint8_t* maskRow = mask->bytes.data() + static_cast<std::size_t>(y) * mask->width;
        std::uint8_t* row = pixels + static_cast<std::size_t>(y) * pitch;
        for (int x = l; x < rt; ++x) {
            if (maskRow[x] != 0) continue;
            int ux, uy;
            Unturned(turns, side - 1, x, y, &ux, &uy);
            std::uint8_t* dst = row + static_cast<std::size_t>(x) * N;
            if (const std::uint8_t* src = picture.PixelAt(source.left + ux, source.top + uy))
                std::memcpy(dst, src, N);
            else
                std::memset(dst, 0, N);
        }
    }
}

// The inside pixels of a square wholly on the picture, run by run: no pixel needs a bounds
// check, and along a run the picture is read with one fixed step.
template <int N>
void FillRuns(std::uint8_t* pixels, std::int32_t pitch, const CPieceMask* mask, int turns,
              const PieceSource& source) {
    const PictureCopy& picture = *source.picture;
    const std::ptrdiff_t steps[4] = {N, -static_cast<std::ptrdiff_t>(picture.pitch), -N, picture.pitch};
    for (const PixelRun& run : mask->insideRuns) {
        int ux, uy;
        Unturned(turns, source.side - 1, run.left, run.y, &ux, &uy);
        // An offset, not a pointer: after a run's last pixel it may point off the picture.
        std::ptrdiff_t from = picture.PixelAt(source.left + ux, source.top + uy) - picture.bits.data();
        std::uint8_t* dst =
            pixels + static_cast<std::size_t>(run.y) * pitch + static_cast<std::size_t>(run.left) * N;
        if (turns == 0) {
            std::memcpy(dst, picture.bits.data() + from, static_cast<std::size_t>(run.right - run.left) * N);
            continue;
        }
        for (int x = run.left; x < run.right; ++x, dst += N, from += steps[turns])
            std::memcpy(dst, picture.bits.data() + from, N);
    }
}

// Fills the inside pixels of an image turned `turns` quarter turns clockwise with the
// unturned piece's picture, black where the picture does not reach. Then bevels.
template <int N>
void FillImage(CSurface* image, const CPieceMask* mask, int turns, const PieceSource& source) {
    const PictureCopy& picture = *source.picture;
    const int side = source.side;
    if (!image || !mask || mask->bytes.empty()) return;
    // The copy is in the picture's layout; an image in another one stays transparent.
    if (image->pixelFormat != picture.format || image->desc.dwWidth < side || image->desc.dwHeight < side)
        return;
    std::int32_t pitch = 0;
    std::uint8_t* pixels = image->Lock(&pitch);
    if (!pixels) return;
    const bool square = mask->width == side && mask->height == side;
    const bool onPicture = source.left >= 0 && source.top >= 0 && source.left + side <= picture.width &&
                           source.top + side <= picture.height;
    if (square && onPicture)
        FillRuns<N>(pixels, pitch, mask, turns, source);
    else
        FillClipped<N>(pixels, pitch, mask, turns, source);
    if (source.bevel && square)
        ApplyBevel(mask->bytes.data(), pixels, N, side, side, pitch, picture.format, source.params,
                   {mask->left, mask->top, mask->right, mask->bottom});
    image->Unlock();
}

void FillImage(CSurface* image, const CPieceMask* mask, int turns, const PieceSource& source) {
    switch (source.picture->bytesPerPixel) {
    case 1:
        return FillImage<1>(image, mask, turns, source);
    case 2:
        return FillImage<2>(image, mask, turns, source);
    case 3:
        return FillImage<3>(image, mask, turns, source);
    case 4:
        return FillImage<4>(image, mask, turns, source);
    default:
        return;
    }
}

// Pieces cut small are too small to bevel.
bool Bevelled(const CPuzzle& puzzle) {
    return puzzle.beveling != 0 && puzzle.cutStyle != CutSmall;
}
} // namespace

void PreparePieceBuild(const CutContext& context, CPuzzle* puzzle) {
    for (auto& piece : puzzle->pieces)
        if (piece) std::fill(std::begin(piece->masks), std::end(piece->masks), nullptr);
    if (context.maskCache) context.maskCache->Clear();
    MakePictureCopy(puzzle->pictureSurface, &puzzle->pictureCopy);
}

void CPiece::AssignMasks(const CutContext& context, const CPuzzle& puzzle) {
    if (Bevelled(puzzle)) {
        const BevelParams params = BevelParamsForLevel(puzzle.bevellevel);
        bevelParams[0] = puzzle.bevellevel;
        bevelParams[1] = params.startIntensity;
        bevelParams[2] = params.width;
        bevelParams[3] = params.decrement;
    }
    CMaskCache* cache = context.maskCache;
    if (!cache || PieceImageSide(context.cellSize) <= 0) return;
    const int turns = puzzle.userotation != 0 ? 4 : 1;
    for (int r = 0; r < 4; ++r)
        masks[r] = r < turns ? cache->Get(sides, r, context) : nullptr;
}

void CPiece::PaintImages(const CutContext& context, const CPuzzle& puzzle) {
    const int cell = context.cellSize;
    const int side = PieceImageSide(cell);
    if (!context.maskCache || side <= 0) return;
    const PieceSource source{&puzzle.pictureCopy,   col * cell - cell / 2,
                             row * cell - cell / 2, side,
                             Bevelled(puzzle),      BevelParamsForLevel(puzzle.bevellevel)};
    const int turns = puzzle.userotation != 0 ? 4 : 1;
    for (int r = 0; r < 4; ++r) {
        if (r >= turns) {
            delete images[r];
            images[r] = nullptr;
            continue;
        }
        if (MakeImageFromMask(context.display, this, r, side)) FillImage(images[r], masks[r], r, source);
    }
}

void CPiece::BuildImages(const CutContext& context, CPuzzle* puzzle) {
    AssignMasks(context, *puzzle);
    PaintImages(context, *puzzle);
}
