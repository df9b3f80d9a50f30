// The status bar's text size: fixed pixel edges, the desktop's font.
#include "QtTestSupport.h"

#include "platform/qt/StatusBarWidget.h"

#include <QFontMetrics>

namespace {

// A part's frame and margins take this much of its width.
constexpr int kFrame = 7;

class StatusBarFontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureTestApp();
        QFont font = bar.font();
        font.setPointSizeF(11);
        bar.setFont(font);
        bar.resize(700, bar.sizeHint().height());
        bar.SetParts({10, 74, 176, 282, 405, 528});
    }

    int Advance(const QFont& font, int part) const {
        return QFontMetrics(font).horizontalAdvance(bar.Text(part));
    }

    StatusBarWidget bar;
};

TEST_F(StatusBarFontTest, TextsThatFitKeepTheBarsOwnSize) {
    bar.SetText(1, "0:01");
    bar.SetText(2, "12");
    bar.SetText(3, "2");
    EXPECT_EQ(bar.TextFont().pointSizeF(), 11);
}

TEST_F(StatusBarFontTest, OneTextTooWideSetsEveryPartSmallerUntilItFits) {
    bar.SetText(2, " Total Pieces: 12");
    bar.SetText(3, "2");
    const QFont font = bar.TextFont();
    ASSERT_GT(Advance(bar.font(), 2), bar.PartRect(2).width()) << "the sample must not fit at 11 points";
    EXPECT_LT(font.pointSizeF(), 11);
    EXPECT_GE(font.pointSizeF(), 6.5);
    EXPECT_LE(Advance(font, 2), bar.PartRect(2).width());
    // No smaller than needed: half a point more would overrun the part's frame.
    QFont larger = font;
    larger.setPointSizeF(font.pointSizeF() + 0.5);
    EXPECT_GT(Advance(larger, 2), bar.PartRect(2).width() - kFrame);

    // The short text is drawn at the same size; when the wide one goes the bar grows back.
    bar.SetText(2, "1");
    EXPECT_EQ(bar.TextFont().pointSizeF(), 11);
    EXPECT_FALSE(bar.grab().isNull());
}

TEST_F(StatusBarFontTest, ATextTooLongForAnySizeIsCutWithoutShrinkingTheOthers) {
    bar.SetText(2, "12");
    bar.SetText(4, QString(300, QLatin1Char('W')));
    EXPECT_EQ(bar.TextFont().pointSizeF(), 11);
    EXPECT_FALSE(bar.grab().isNull());
}

} // namespace
