#include "platform/qt/BoardWidget.h"

#include "app/Commands.h"
#include "display/PixelFormat.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Larger than any screen; anything beyond is a damaged frame description.
constexpr int kMaxFrameSide = 32767;

QImage::Format ImageFormat(int formatCode) {
    switch (formatCode) {
    case RGB555:
        return QImage::Format_RGB555;
    case RGB565:
        return QImage::Format_RGB16;
    case RGB16Other:
        return QImage::Format_RGB444;
    case RGB24:
        return QImage::Format_BGR888; // bytes B, G, R
    case RGB32:
        return QImage::Format_RGB32; // bytes B, G, R, X
    case OtherFormat:
        return QImage::Format_Indexed8;
    default:
        return QImage::Format_Invalid;
    }
}

// The 3-3-2 palette the 8-bit layout is stored in.
QList<QRgb> Palette332() {
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i) {
        const int r = (i >> 5) & 7, g = (i >> 2) & 7, b = i & 3;
        table[i] = qRgb(r * 255 / 7, g * 255 / 7, b * 255 / 3);
    }
    return table;
}

} // namespace

BoardWidget::BoardWidget(MessageSink& sink, QWidget* parent) : QWidget(parent), sink_(sink) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);
}

namespace {

// One row of 32-bit pixels made opaque on the way: the fourth byte is unused by the game and
// Qt wants it set. Four pixels per step where the processor has 16-byte registers; the frame's
// rows need not be aligned.
void CopyOpaqueRow(const std::uint8_t* src, std::uint32_t* out, int pixels) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; x + 4 <= pixels; x += 4) {
        const __m128i four =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + static_cast<std::ptrdiff_t>(x) * 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_or_si128(four, opaque));
    }
#endif
    for (; x < pixels; ++x) {
        std::uint32_t pixel;
        std::memcpy(&pixel, src + static_cast<std::ptrdiff_t>(x) * 4, sizeof pixel);
        out[x] = pixel | 0xFF000000u;
    }
}

// The same, each pixel written twice side by side: a row of an image of twice the size.
void CopyDoubledRow(const std::uint8_t* src, std::uint32_t* out, int pixels) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; x + 4 <= pixels; x += 4) {
        const __m128i four = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + static_cast<std::ptrdiff_t>(x) * 4)),
            opaque);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * x), _mm_unpacklo_epi32(four, four));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * x + 4), _mm_unpackhi_epi32(four, four));
    }
#endif
    for (; x < pixels; ++x) {
        std::uint32_t pixel;
        std::memcpy(&pixel, src + static_cast<std::ptrdiff_t>(x) * 4, sizeof pixel);
        out[2 * x] = out[2 * x + 1] = pixel | 0xFF000000u;
    }
}

// Copies the frame's pixels in `area` (clipped to the image) into the image of the same layout;
// into one of twice the size (32-bit only) each pixel becomes a 2 x 2 block.
void CopyArea(const FrameView& frame, QImage& image, QRect area) {
    if (image.devicePixelRatio() == 2) {
        area &= QRect(QPoint(0, 0), image.size() / 2);
        for (int y = area.top(); y <= area.bottom(); ++y) {
            auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(2 * y)) + 2 * area.left();
            CopyDoubledRow(frame.pixels + static_cast<qint64>(y) * frame.pitch +
                               static_cast<qint64>(area.left()) * 4,
                           out, area.width());
            std::memcpy(image.scanLine(2 * y + 1) + 8 * area.left(), out,
                        static_cast<size_t>(area.width()) * 8);
        }
        return;
    }
    area &= image.rect();
    if (area.isEmpty()) return;
    const int bytesPerPixel = BytesPerPixel(static_cast<PixelFormatCode>(frame.formatCode));
    const size_t copyBytes = static_cast<size_t>(area.width()) * bytesPerPixel;
    const qint64 skip = static_cast<qint64>(area.left()) * bytesPerPixel;
    const bool opaque32 = image.format() == QImage::Format_RGB32;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const std::uint8_t* src = frame.pixels + static_cast<qint64>(y) * frame.pitch + skip;
        std::uint8_t* dst = image.scanLine(y) + skip;
        if (opaque32)
            CopyOpaqueRow(src, reinterpret_cast<std::uint32_t*>(dst), area.width());
        else
            std::memcpy(dst, src, copyBytes);
    }
}

// The frame's size clipped to `limit`; empty when the frame is unusable.
QSize UsableSize(const FrameView& frame, QSize limit) {
    if (ImageFormat(frame.formatCode) == QImage::Format_Invalid || !frame.pixels) return {};
    if (frame.width <= 0 || frame.height <= 0 || frame.width > kMaxFrameSide || frame.height > kMaxFrameSide)
        return {};
    const int bytesPerPixel = BytesPerPixel(static_cast<PixelFormatCode>(frame.formatCode));
    const qint64 rowBytes = static_cast<qint64>(frame.width) * bytesPerPixel;
    if (frame.pitch < rowBytes) return {};
    const int width = std::min(frame.width, std::max(limit.width(), 0));
    const int height = std::min(frame.height, std::max(limit.height(), 0));
    if (width == 0 || height == 0) return {};
    return QSize(width, height);
}

} // namespace

QImage BoardWidget::FrameToImage(const FrameView& frame, QSize limit, int scale) {
    const QSize size = UsableSize(frame, limit);
    if (size.isEmpty()) return {};
    const QImage::Format format = ImageFormat(frame.formatCode);
    if (scale != 1 && (scale != 2 || format != QImage::Format_RGB32)) return {};
    QImage image(size * scale, format);
    if (image.isNull()) return {};
    image.setDevicePixelRatio(scale);
    if (format == QImage::Format_Indexed8) image.setColorTable(Palette332());
    CopyArea(frame, image, QRect(QPoint(0, 0), size));
    return image;
}

WPARAM BoardWidget::KeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    WPARAM keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

bool BoardWidget::ShowFrame(const FrameView& frame, const RECT* changed) {
    const QSize shown = UsableSize(frame, size());
    if (shown.isEmpty()) return false;
    // On a screen of twice the density a 32-bit frame is kept at the screen's pixels, so that
    // painting it is a plain copy rather than a scaling.
    const int scale =
        devicePixelRatioF() == 2 && ImageFormat(frame.formatCode) == QImage::Format_RGB32 ? 2 : 1;
    // The kept image is reused when it still fits; a new one takes the whole frame.
    if (frame_.size() != shown * scale || frame_.devicePixelRatio() != scale ||
        frame_.format() != ImageFormat(frame.formatCode)) {
        QImage image = FrameToImage(frame, size(), scale);
        if (image.isNull()) return false;
        frame_ = std::move(image);
        update();
        return true;
    }
    const QRect whole(QPoint(0, 0), shown);
    const bool partial = changed && changed->left < changed->right && changed->top < changed->bottom;
    const QRect area = partial ? QRect(QPoint(changed->left, changed->top),
                                       QPoint(changed->right - 1, changed->bottom - 1)) &
                                     whole
                               : whole;
    if (area.isEmpty()) return true;
    CopyArea(frame, frame_, area);
    update(area);
    return true;
}

void BoardWidget::Confine(const QRect& area) {
    confinement_ = area.normalized();
    if (confinement_->isEmpty()) confinement_ = QRect(area.topLeft(), QSize(1, 1));
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    const int scale = static_cast<int>(frame_.devicePixelRatio());
    if (!frame_.isNull())
        painter.drawImage(dirty.topLeft(), frame_, QRect(dirty.topLeft() * scale, dirty.size() * scale));
    // Whatever the frame does not cover shows the window colour, as an unpainted window would.
    const QRegion uncovered = QRegion(dirty) - QRegion(QRect(QPoint(0, 0), frame_.size() / scale));
    for (const QRect& r : uncovered)
        painter.fillRect(r, Qt::white);
    if (frame_.isNull()) sink_.RequestPaint();
}

QPoint BoardWidget::ClientPoint(const QPointF& position) {
    QPoint p(static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y())));
    if (!confinement_) return p;
    const QRect& area = *confinement_;
    const QPoint kept(std::clamp(p.x(), area.left(), area.right()),
                      std::clamp(p.y(), area.top(), area.bottom()));
    if (kept != p) {
        // Not every window system lets us move the pointer; the messages stay inside anyway.
        QCursor::setPos(mapToGlobal(kept));
    }
    return kept;
}

void BoardWidget::SendMouse(UINT message, QMouseEvent* event) {
    const QPoint p = ClientPoint(event->position());
    sink_.Deliver(message, KeyState(event->buttons(), event->modifiers()), MakeMouseLParam(p.x(), p.y()));
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        SendMouse(WM_LBUTTONDOWN, event);
    else if (event->button() == Qt::RightButton)
        SendMouse(WM_RBUTTONDOWN, event);
}

void BoardWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        SendMouse(WM_LBUTTONUP, event);
    else if (event->button() == Qt::RightButton)
        SendMouse(WM_RBUTTONUP, event);
}

void BoardWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt reports the second press of a double click here, in place of a press.
    if (event->button() == Qt::LeftButton)
        SendMouse(WM_LBUTTONDBLCLK, event);
    else if (event->button() == Qt::RightButton)
        SendMouse(WM_RBUTTONDBLCLK, event);
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
    SendMouse(WM_MOUSEMOVE, event);
}

void BoardWidget::wheelEvent(QWheelEvent* event) {
    const int delta = std::clamp(event->angleDelta().y(), -32768, 32767);
    if (delta == 0) return;
    const QPoint p = ClientPoint(event->position());
    const WPARAM keys = KeyState(event->buttons(), event->modifiers());
    sink_.Deliver(WM_MOUSEWHEEL, MakeWheelWParam(keys, delta), MakeMouseLParam(p.x(), p.y()));
    event->accept();
}

void BoardWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (resized) resized();
    sink_.RequestPaint();
}

void BoardWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    sink_.RequestPaint();
}
