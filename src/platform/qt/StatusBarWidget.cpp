#include "platform/qt/StatusBarWidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QSizeGrip>
#include <qdrawutil.h>

#include <algorithm>

namespace {
// Status bars have at most this many parts; texts for others are dropped.
constexpr int kMaxParts = 256;
// Gap between the frames of neighbouring parts.
constexpr int kPartGap = 2;
// Smallest size the texts are shrunk to before they are cut.
constexpr qreal kMinPointSize = 6.5;
constexpr int kMinPixelSize = 9;
} // namespace

StatusBarWidget::StatusBarWidget(QWidget* parent) : QWidget(parent), edges_{-1}, grip_(new QSizeGrip(this)) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAutoFillBackground(true);
    grip_->resize(grip_->sizeHint());
}

void StatusBarWidget::SetParts(const std::vector<int>& rightEdges) {
    edges_.assign(rightEdges.begin(), rightEdges.begin() + std::min<size_t>(rightEdges.size(), kMaxParts));
    if (edges_.empty()) edges_.push_back(-1);
    ForgetFont();
    update();
}

void StatusBarWidget::SetText(int part, const QString& text) {
    if (part < 0 || part >= kMaxParts) return;
    if (static_cast<size_t>(part) >= texts_.size()) texts_.resize(part + 1);
    if (texts_[part] == text) return;
    const QFont before = TextFont();
    texts_[part] = text;
    // The bar keeps its size when the new text fits it and another part's text (or none, at the
    // desktop's own size) keeps the bar from being larger: only this text is measured. The
    // clock's text changes every second.
    if (part != limitingPart_ && metrics_->horizontalAdvance(text) <= TextArea(part).width()) {
        update(PartRect(part));
        return;
    }
    ForgetFont();
    // A new text can change the size of every part's text.
    if (TextFont() == before)
        update(PartRect(part));
    else
        update();
}

QString StatusBarWidget::Text(int part) const {
    if (part < 0 || static_cast<size_t>(part) >= texts_.size()) return {};
    return texts_[part];
}

QRect StatusBarWidget::PartRect(int part) const {
    if (part < 0 || part >= PartCount()) return {};
    const int left = part == 0 ? 0 : std::max(edges_[part - 1], 0);
    const int right = edges_[part] < 0 ? width() : edges_[part];
    if (right <= left) return {};
    return QRect(left, 0, right - left, height());
}

QSize StatusBarWidget::sizeHint() const {
    return QSize(400, std::max(fontMetrics().height() + 8, grip_->sizeHint().height()));
}

QRect StatusBarWidget::TextArea(int part) const {
    const QRect r = PartRect(part);
    if (r.isEmpty()) return {};
    return r.adjusted(0, 2, -kPartGap, 0).adjusted(3, 1, -2, -1);
}

QFont StatusBarWidget::TextFont() const {
    if (!font_) {
        font_ = FittingFont();
        metrics_.emplace(*font_);
    }
    return *font_;
}

void StatusBarWidget::ForgetFont() {
    font_.reset();
    metrics_.reset();
}

QFont StatusBarWidget::FittingFont() const {
    // The edges are fixed in pixels while the font is the desktop's: when a text does not
    // fit, the whole bar is set smaller, so the parts never show mixed sizes.
    const QFont own = font();
    const bool points = own.pointSizeF() > 0;
    QFont smallest = own;
    if (points)
        smallest.setPointSizeF(std::min(own.pointSizeF(), kMinPointSize));
    else
        smallest.setPixelSize(std::min(own.pixelSize(), kMinPixelSize));
    // A text too wide even at the smallest size is cut anyway; it does not shrink the others.
    std::vector<int> counted;
    const QFontMetrics smallestMetrics(smallest);
    for (int part = 0; part < PartCount(); ++part) {
        const QRect area = TextArea(part);
        if (!area.isEmpty() && smallestMetrics.horizontalAdvance(Text(part)) <= area.width())
            counted.push_back(part);
    }
    // The first counted part too wide at `font`, or -1.
    auto tooWide = [&](const QFont& font) {
        const QFontMetrics metrics(font);
        for (int part : counted)
            if (metrics.horizontalAdvance(Text(part)) > TextArea(part).width()) return part;
        return -1;
    };
    QFont font = own;
    limitingPart_ = -1;
    for (int failed = tooWide(font); failed >= 0; failed = tooWide(font)) {
        if (points) {
            if (font.pointSizeF() - 0.5 < kMinPointSize) break;
            font.setPointSizeF(font.pointSizeF() - 0.5);
        } else {
            if (font.pixelSize() - 1 < kMinPixelSize) break;
            font.setPixelSize(font.pixelSize() - 1);
        }
        limitingPart_ = failed;
    }
    return font;
}

void StatusBarWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QFont font = TextFont();
    const QFontMetrics& metrics = *metrics_;
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int part = 0; part < PartCount(); ++part) {
        const QRect r = PartRect(part);
        if (!r.intersects(event->rect())) continue;
        // The first part is a borderless spacer; the others sit in sunken frames.
        const QRect frame = r.adjusted(0, 2, -kPartGap, 0);
        if (part > 0) qDrawShadePanel(&painter, frame, palette(), true, 1);
        // Only a text still too wide at the smallest size is cut.
        const QRect textArea = TextArea(part);
        const QString text = metrics.elidedText(Text(part), Qt::ElideRight, textArea.width());
        painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}

void StatusBarWidget::resizeEvent(QResizeEvent*) {
    ForgetFont();
    grip_->move(width() - grip_->width(), height() - grip_->height());
}

void StatusBarWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) ForgetFont();
    QWidget::changeEvent(event);
}
