#include "platform/qt/PreviewWindow.h"

#include "platform/qt/BoardWidget.h"
#include "platform/qt/GameIcon.h"
#include "platform/qt/ScrollMessages.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdint>

PreviewWindow::PreviewWindow(QWidget* owner, Deliver deliver, const ScreenInfo& frameMetrics)
    : QWidget(owner, Qt::Window), deliver_(std::move(deliver)), metrics_(frameMetrics), view_(new QWidget),
      horizontal_(new QScrollBar(Qt::Horizontal)), vertical_(new QScrollBar(Qt::Vertical)) {
    setWindowIcon(GameIcon());
    view_->setMouseTracking(true);
    view_->setAttribute(Qt::WA_OpaquePaintEvent);
    view_->installEventFilter(this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(view_, 0, 0);
    grid->addWidget(vertical_, 0, 1);
    grid->addWidget(horizontal_, 1, 0);
    ConnectScrollBar(horizontal_, WM_HSCROLL);
    ConnectScrollBar(vertical_, WM_VSCROLL);
    horizontal_->hide();
    vertical_->hide();
}

void PreviewWindow::ConnectScrollBar(QScrollBar* bar, UINT message) {
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setRange(0, 0);
    // The game owns the position: the bar reports what was asked for and stays until the
    // game moves it.
    connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar, message](int action) {
        const int request = ScrollRequest(action);
        if (request < 0) return;
        const int wanted = bar->sliderPosition();
        bar->setSliderPosition(bar->value());
        deliver_(message, ScrollWParam(request, request == SB_THUMBTRACK ? wanted : 0), 0);
    });
    connect(bar, &QAbstractSlider::sliderReleased, this,
            [this, bar, message] { deliver_(message, ScrollWParam(SB_THUMBPOSITION, bar->value()), 0); });
}

QSize PreviewWindow::ClientFor(int outerWidth, int outerHeight) const {
    return QSize(std::max(1, outerWidth - 2 * metrics_.frameWidth),
                 std::max(1, outerHeight - metrics_.captionHeight - 2 * metrics_.frameHeight));
}

void PreviewWindow::SetOuterSize(int width, int height) {
    resize(ClientFor(width, height));
}

void PreviewWindow::SetOuterMaximum(int width, int height) {
    setMaximumSize(ClientFor(width, height));
}

ClientSize PreviewWindow::Client() const {
    // Worked out from the bars' own state: the layout catches up only later.
    const int w = width() - (vertical_->isHidden() ? 0 : vertical_->sizeHint().width());
    const int h = height() - (horizontal_->isHidden() ? 0 : horizontal_->sizeHint().height());
    return ClientSize{std::max(0, w), std::max(0, h)};
}

QScrollBar* PreviewWindow::ScrollBar(int bar) const {
    return bar == SB_VERT ? vertical_ : horizontal_;
}

void PreviewWindow::SetScrollBar(int bar, bool visible, int maximum, int position) {
    QScrollBar* scrollBar = ScrollBar(bar);
    scrollBar->setRange(0, std::max(0, maximum));
    scrollBar->setValue(position);
    if (scrollBar->isHidden() != visible) return;
    scrollBar->setVisible(visible);
    // The client area changed, as a size change would tell it.
    if (sizePending_) return;
    sizePending_ = true;
    QTimer::singleShot(0, this, [this] {
        sizePending_ = false;
        const ClientSize client = Client();
        deliver_(WM_SIZE, 0, MakeMouseLParam(client.width, client.height));
    });
}

void PreviewWindow::RequestPaint() {
    if (paintPending_) return;
    paintPending_ = true;
    QTimer::singleShot(0, this, [this] {
        paintPending_ = false;
        deliver_(WM_PAINT, 0, 0);
    });
}

void PreviewWindow::ShowFrame(const FrameView& frame, const FrameView* smoothSource) {
    QImage image;
    if (smoothSource) {
        const QImage source =
            BoardWidget::FrameToImage(*smoothSource, QSize(smoothSource->width, smoothSource->height));
        if (!source.isNull())
            image = source.scaled(frame.width, frame.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (image.isNull()) image = BoardWidget::FrameToImage(frame, QSize(frame.width, frame.height));
    if (image.isNull()) return;
    frame_ = std::move(image);
    view_->update();
}

void PreviewWindow::PaintView() {
    QPainter painter(view_);
    painter.fillRect(view_->rect(), palette().color(QPalette::Base));
    if (!frame_.isNull()) painter.drawImage(0, 0, frame_);
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    // The game decides: its close button only hides the window.
    event->ignore();
    deliver_(WM_CLOSE, 0, 0);
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const ClientSize client = Client();
    deliver_(WM_SIZE, 0, MakeMouseLParam(client.width, client.height));
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
        PaintView();
        if (frame_.isNull()) RequestPaint();
        return true;
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint p = mouse->position().toPoint();
        deliver_(WM_MOUSEMOVE, BoardWidget::KeyState(mouse->buttons(), mouse->modifiers()),
                 MakeMouseLParam(p.x(), p.y()));
        return false;
    }
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const int delta = std::clamp(wheel->angleDelta().y(), -32768, 32767);
        const WPARAM keys = BoardWidget::KeyState(wheel->buttons(), wheel->modifiers());
        deliver_(WM_MOUSEWHEEL,
                 (static_cast<WPARAM>(static_cast<std::uint16_t>(delta)) << 16) | (keys & 0xFFFF), 0);
        return true;
    }
    default:
        return false;
    }
}
