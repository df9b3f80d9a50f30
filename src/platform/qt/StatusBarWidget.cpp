#include "platform/qt/StatusBarWidget.h"

#include <QPainter>
#include <QSizeGrip>
#include <qdrawutil.h>

#include <algorithm>

namespace {
// Status bars have at most this many parts; texts for others are dropped.
constexpr int kMaxParts = 256;
// Gap between the frames of neighbouring parts.
constexpr int kPartGap = 2;
// Smallest size a part's text is shrunk to before it is cut.
constexpr qreal kMinPointSize = 6.5;
} // namespace

StatusBarWidget::StatusBarWidget(QWidget* parent) : QWidget(parent), edges_{-1}, grip_(new QSizeGrip(this)) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAutoFillBackground(true);
    grip_->resize(grip_->sizeHint());
}

void StatusBarWidget::SetParts(const std::vector<int>& rightEdges) {
    edges_.assign(rightEdges.begin(), rightEdges.begin() + std::min<size_t>(rightEdges.size(), kMaxParts));
    if (edges_.empty()) edges_.push_back(-1);
    update();
}

void StatusBarWidget::SetText(int part, const QString& text) {
    if (part < 0 || part >= kMaxParts) return;
    if (static_cast<size_t>(part) >= texts_.size()) texts_.resize(part + 1);
    texts_[part] = text;
    update(PartRect(part));
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

void StatusBarWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int part = 0; part < PartCount(); ++part) {
        const QRect r = PartRect(part);
        if (r.isEmpty()) continue;
        // The first part is a borderless spacer; the others sit in sunken frames.
        const QRect frame = r.adjusted(0, 2, -kPartGap, 0);
        if (part > 0) qDrawShadePanel(&painter, frame, palette(), true, 1);
        const QRect textArea = frame.adjusted(3, 1, -2, -1);
        // The edges are fixed in pixels: a text too wide for its part is set smaller first
        // and only then cut.
        QFont font = this->font();
        while (QFontMetrics(font).horizontalAdvance(Text(part)) > textArea.width() &&
               font.pointSizeF() > kMinPointSize)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        painter.setFont(font);
        const QString text = QFontMetrics(font).elidedText(Text(part), Qt::ElideRight, textArea.width());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}

void StatusBarWidget::resizeEvent(QResizeEvent*) {
    grip_->move(width() - grip_->width(), height() - grip_->height());
}
