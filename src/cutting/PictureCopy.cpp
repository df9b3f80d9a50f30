#include "cutting/PictureCopy.h"

#include "display/CSurface.h"

#include <cstring>

void MakePictureCopy(CSurface* picture, PictureCopy* copy) {
    copy->bits.clear();
    copy->pitch = copy->width = copy->height = 0;
    if (!picture) return;
    std::int32_t pitch = 0;
    const std::uint8_t* pixels = picture->Lock(&pitch);
    if (!pixels) return;
    const int w = picture->desc.dwWidth;
    const int h = picture->desc.dwHeight;
    const int bpp = BytesPerPixel(picture->pixelFormat);
    if (w > 0 && h > 0 && pitch >= w * bpp) {
        copy->bits.assign(pixels, pixels + static_cast<std::size_t>(pitch) * h);
        copy->pitch = pitch;
        copy->width = w;
        copy->height = h;
        copy->format = picture->pixelFormat;
        copy->bytesPerPixel = bpp;
    }
    picture->Unlock();
}
