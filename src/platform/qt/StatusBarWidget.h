#pragma once
// The status bar along the bottom of the main window: parts ending at fixed pixel edges,
// each showing one line of text.
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QSizeGrip;

class StatusBarWidget : public QWidget {
  public:
    explicit StatusBarWidget(QWidget* parent = nullptr);

    // Right edges of the parts in pixels from the window's left side; -1 reaches the right side.
    void SetParts(const std::vector<int>& rightEdges);
    // Repaints only that part while the texts keep their size.
    void SetText(int part, const QString& text);
    QString Text(int part) const;
    int PartCount() const { return static_cast<int>(edges_.size()); }
    // Where part `part` lies, in this widget's coordinates (empty for a part that does not exist).
    QRect PartRect(int part) const;
    // The font every part's text is drawn in: the widget's own, or smaller when some text
    // would not fit its part.
    QFont TextFont() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return QSize(0, sizeHint().height()); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Where part `part`'s text goes, inside its frame.
    QRect TextArea(int part) const;
    QFont FittingFont() const;
    void ForgetFont();

    std::vector<int> edges_;
    std::vector<QString> texts_;
    mutable std::optional<QFont> font_; // TextFont() until a text, a part or the size changes
    // Kept with the font: it holds the font's glyph cache, which Qt drops when nothing does.
    mutable std::optional<QFontMetrics> metrics_;
    mutable int limitingPart_ = -1; // the part too wide at the next size up, -1 at the own size
    QSizeGrip* grip_;
};
