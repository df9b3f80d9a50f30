#include "qt/PictureImport.h"

#include "JpegWriter.h"
#include "Publisher.h"
#include "imaging/PictureDecoder.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <filesystem>

namespace publish {

namespace {

bool Fails(std::string* error, const std::string& message) {
    *error = message;
    return false;
}

// The picture's pixels as 0x00RRGGBB, transparent parts laid over white.
DecodedImage Flattened(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    DecodedImage out;
    out.width = image.width();
    out.height = image.height();
    out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    std::uint32_t* to = out.pixels.data();
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const auto over = [alpha = qAlpha(p)](int c) {
                return static_cast<std::uint32_t>((c * alpha + 255 * (255 - alpha) + 127) / 255);
            };
            *to++ = over(qRed(p)) << 16 | over(qGreen(p)) << 8 | over(qBlue(p));
        }
    }
    return out;
}

QImage FromDecoded(const DecodedImage& image) {
    QImage out(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.width; ++x) line[x] = 0xFF000000u | image.At(x, y);
    }
    return out;
}

std::string ReadableFormats() {
    std::string names;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        names += (names.empty() ? "" : ", ") + format.toStdString();
    return names;
}

} // namespace

bool ImportPicture(const std::string& path, int cellSize, const PictureSizeRequest& size, Progress* progress,
                   ImportedPicture* out, std::string* error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return Fails(error, "cannot read picture " + path + ": no such file");
    const std::string type = Publisher::TypeNameFromFileName(path);
    const PictureFormat gameFormat = PictureFormatFromName(type);
    const std::string name = std::filesystem::path(path).filename().string();

    QImageReader reader(QFile::decodeName(path.c_str()));
    reader.setAutoTransform(true);
    reader.setAllocationLimit(static_cast<int>(kMaxImportPixels * 4 >> 20));
    const bool qtReads = reader.canRead();
    bool turned = false, upright = true;
    QSize original;
    DecodedImage gameImage; // when only the game's own reader knows the format
    std::string why;
    if (qtReads) {
        turned = (reader.transformation() & QImageIOHandler::TransformationRotate90) != 0;
        upright = reader.transformation() == QImageIOHandler::TransformationNone;
        original = turned ? reader.size().transposed() : reader.size();
    } else if (gameFormat != PictureUnknown) {
        if (!DecodePictureFile(path, gameFormat, gameImage, &why))
            return Fails(error, "picture " + path + " does not decode as " + type + ": " + why);
        original = QSize(gameImage.width, gameImage.height);
    } else {
        return Fails(error, "picture " + path + " is not a picture this tool can read (" +
                                reader.errorString().toStdString() + "); it reads " + ReadableFormats());
    }
    if (!original.isValid() || original.isEmpty())
        return Fails(error, "picture " + path + " does not say its size");
    if (std::int64_t{original.width()} * original.height() > kMaxImportPixels)
        return Fails(error, "picture " + path + " has more than " + std::to_string(kMaxImportPixels >> 20) +
                                " megapixels");

    const PictureSize chosen = ChoosePictureSize(original.width(), original.height(), cellSize, size);
    if (std::string refusal = Publisher::SizeRefusal(chosen.width, chosen.height, cellSize); !refusal.empty())
        return Fails(error, refusal);
    out->originalWidth = original.width(), out->originalHeight = original.height();
    out->width = chosen.width, out->height = chosen.height;

    // What the game reads, upright and at the chosen size, goes into the pack untouched.
    if (gameFormat != PictureUnknown && upright && chosen == PictureSize{original.width(), original.height()}) {
        DecodedImage check;
        if (ReadPictureFile(path, out->bytes, &why) &&
            DecodePicture(out->bytes.data(), out->bytes.size(), gameFormat, check, &why)) {
            out->type = type;
            out->converted = false;
            return true;
        }
        if (!qtReads) return Fails(error, "picture " + path + " does not decode as " + type + ": " + why);
    }

    if (progress) progress->Step("reading " + name);
    QImage image;
    if (qtReads) {
        const QSize want(chosen.width, chosen.height);
        if (want != original) reader.setScaledSize(turned ? want.transposed() : want);
        image = reader.read();
        if (image.isNull())
            return Fails(error, "cannot read picture " + path + ": " + reader.errorString().toStdString());
    } else {
        image = FromDecoded(gameImage);
        gameImage = {};
    }
    if (image.width() != chosen.width || image.height() != chosen.height)
        image = image.scaled(chosen.width, chosen.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    const DecodedImage pixels = Flattened(image);
    image = QImage();
    if (progress)
        progress->Step("storing it as a " + std::to_string(chosen.width) + " x " + std::to_string(chosen.height) + " JPEG");
    out->bytes = EncodeJpeg(pixels, kImportJpegQuality, false, progress);
    if (out->bytes.empty()) return Fails(error, "cannot encode picture " + path + " as JPEG");
    out->type = "jpg";
    out->converted = true;
    return true;
}

} // namespace publish
