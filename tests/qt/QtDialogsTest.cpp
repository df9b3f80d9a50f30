// Message boxes, the colour chooser and the options dialog.
#include "QtTestSupport.h"

#include "platform/qt/OptionsDialog.h"
#include "platform/qt/StandardDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QTimer>

#include <tuple>

namespace {

// Runs `act` on the modal dialog of type T once it is open.
template <typename T> void WhenModal(std::function<void(T*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(dialog);
        }
    });
    poll->start(10);
}

} // namespace

TEST(QtMessageBoxTest, StylesGiveTheirButtonsIconsAndAnswers) {
    const std::tuple<UINT, QMessageBox::StandardButtons, QMessageBox::Icon, int> cases[] = {
        {MB_OK, QMessageBox::Ok, QMessageBox::NoIcon, IDOK},
        {MB_YESNOCANCEL | MB_ICONWARNING, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Warning, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, IDNO},
        {MB_OKCANCEL | MB_ICONERROR, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Critical, IDCANCEL},
    };
    for (const auto& [style, buttons, icon, closedAnswer] : cases) {
        QMessageBox box;
        PrepareMessageBox(box, "<b>not markup</b>\nsecond line", "Save position?", style);
        EXPECT_EQ(std::tuple(box.standardButtons(), box.icon(), MessageBoxAnswer(box, style)),
                  std::tuple(buttons, icon, closedAnswer)) << style;
        EXPECT_EQ(
            std::tuple(box.text(), box.textFormat(), box.windowTitle()),
            std::tuple(QString("<b>not markup</b>\nsecond line"), Qt::PlainText, QString("Save position?")));
    }
}

TEST_F(QtWindowTest, MessageBoxAndColourChooserReturnThePlayersAnswer) {
    WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    EXPECT_EQ(platform->MessageBox("Are you sure you want to do this?", "Are you sure?", MB_YESNO), IDNO);

    QColor initial;
    WhenModal<QColorDialog>([&](QColorDialog* dialog) {
        initial = dialog->currentColor();
        dialog->setCurrentColor(QColor(10, 20, 30));
        dialog->accept();
    });
    COLORREF chosen = 0;
    ASSERT_TRUE(platform->ChooseColour(RGB(0x80, 0x40, 0x20), chosen));
    EXPECT_EQ(initial, QColor(0x80, 0x40, 0x20));
    EXPECT_EQ(chosen, RGB(10, 20, 30));

    WhenModal<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(platform->ChooseColour(RGB(1, 2, 3), chosen));
    EXPECT_EQ(chosen, RGB(10, 20, 30));
}

TEST_F(QtWindowTest, OptionsDialogShowsAndReadsBackTheOptionsAndChangesThemOnlyOnOk) {
    {
        OptionsDialog dialog;
        dialog.Load(OptionsDialogData{0, 1, 1, 7, 1, 0, 1}); // bevel level 7 is out of range: Low
        EXPECT_TRUE(dialog.Control(OptionsDialog::BevelLow)->isChecked());
        OptionsDialogData out;
        dialog.Store(out);
        EXPECT_EQ(std::tie(out.soundeffects, out.shadow, out.beveling, out.bevellevel, out.userotation,
                           out.useMusic, out.showMode),
                  std::make_tuple(0, 1, 1, 0, 1, 0, 1));
    }
    OptionsDialogData data;
    for (const bool ok : {false, true}) {
        WhenModal<OptionsDialog>([ok](OptionsDialog* dialog) {
            dialog->Control(OptionsDialog::Rotation)->click();
            ok ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(platform->RunOptionsDialog(data), ok ? IDOK : IDCANCEL);
        EXPECT_EQ(data.userotation, ok ? 1 : 0);
    }
}
