#pragma once
// The client area of the main window: shows the game's frames one to one from its top-left
// corner and turns mouse input into the game's mouse messages.
#include "platform/Platform.h"
#include "platform/qt/MessageSink.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

class BoardWidget : public QWidget {
  public:
    BoardWidget(MessageSink& sink, QWidget* parent = nullptr);

    // Keeps a copy of the part of `frame` that fits the widget and schedules a repaint; with
    // `changed`, only that part is copied and repainted when the kept image still fits.
    // Frames that cannot be shown (bad sizes, unknown layout) are dropped; returns false then.
    bool ShowFrame(const FrameView& frame, const RECT* changed = nullptr);
    // The kept image; on a screen of twice the density it has twice the frame's size.
    const QImage& Frame() const { return frame_; }

    // Turns a frame into an image of at most `limit` pixels, copying the pixels. With `scale`
    // 2 (32-bit frames only) every pixel becomes 2 x 2 in an image of that pixel ratio. Null
    // when the frame is unusable.
    static QImage FrameToImage(const FrameView& frame, QSize limit, int scale = 1);
    // The MK_* key state of a mouse message.
    static WPARAM KeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

    // While confined, positions outside `area` (client coordinates) are pulled back to it.
    void Confine(const QRect& area);
    void Release() { confinement_.reset(); }
    std::optional<QRect> Confinement() const { return confinement_; }

    // Called after every size change.
    std::function<void()> resized;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // Client position of a mouse event, kept inside the confinement.
    QPoint ClientPoint(const QPointF& position);
    void SendMouse(UINT message, QMouseEvent* event);

    MessageSink& sink_;
    QImage frame_;
    std::optional<QRect> confinement_;
};
