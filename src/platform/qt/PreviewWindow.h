#pragma once
// The preview window: a resizable window owned by the main window that shows the frames
// the game presents for it, with its own two scroll bars. Qt events become the game's
// window messages for its procedure.
#include "platform/Platform.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QScrollBar;

class PreviewWindow : public QWidget {
  public:
    using Deliver = std::function<void(UINT, WPARAM, LPARAM)>;
    PreviewWindow(QWidget* owner, Deliver deliver, const ScreenInfo& frameMetrics);

    // Sizes count the window's frame and caption as `frameMetrics` gives them.
    void SetOuterSize(int width, int height);
    void SetOuterMaximum(int width, int height);
    // The area left for the picture beside the visible scroll bars.
    ClientSize Client() const;
    void SetScrollBar(int bar, bool visible, int maximum, int position);
    QScrollBar* ScrollBar(int bar) const;
    // One WM_PAINT soon, however often asked before it arrives.
    void RequestPaint();
    void ShowFrame(const FrameView& frame, const FrameView* smoothSource);
    const QImage& Frame() const { return frame_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ConnectScrollBar(QScrollBar* bar, UINT message);
    QSize ClientFor(int outerWidth, int outerHeight) const;
    void PaintView();

    Deliver deliver_;
    ScreenInfo metrics_;
    QWidget* view_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
    QImage frame_;
    bool paintPending_ = false;
    bool sizePending_ = false;
};
