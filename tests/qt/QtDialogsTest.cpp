// Message boxes, the colour chooser and opening the author's addresses.
#include "QtTestSupport.h"

#include "platform/qt/OptionsDialog.h"
#include "platform/qt/StandardDialogs.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QUrl>

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

TEST_F(QtWindowTest, MessageBoxesOptionsColourChooserAndAddressesGiveThePlayersAnswer) {
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
                  std::tuple(buttons, icon, closedAnswer))
            << style;
        EXPECT_EQ(
            std::tuple(box.text(), box.textFormat(), box.windowTitle()),
            std::tuple(QString("<b>not markup</b>\nsecond line"), Qt::PlainText, QString("Save position?")));
    }
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

    // Only web and mail addresses are opened.
    std::vector<QUrl> opened;
    platform->urlOpener = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    for (const char* good :
         {"http://www.example.com/jigsaw/", "www.example.com", "mailto:author@example.com"})
        EXPECT_GT(platform->OpenUrl(good), 32) << good;
    for (const char* bad : {"file:///bin/sh", "/usr/bin/xterm", "javascript:alert(1)", ""})
        EXPECT_LE(platform->OpenUrl(bad), 32) << bad;
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[1].scheme(), "http");
    platform->urlOpener = [](const QUrl&) { return false; }; // no browser
    EXPECT_LE(platform->OpenUrl("https://example.com/"), 32);

    // The options dialog shows every button as given and reads them back only on OK.
    {
        OptionsDialog dialog;
        QStringList texts{dialog.windowTitle()}, labels;
        for (int id : {1000, 1001, 1002, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1, 2}) {
            auto* button = dialog.findChild<QAbstractButton*>(QString::number(id));
            texts << (button ? button->text() : "no button " + QString::number(id));
        }
        for (auto* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        for (auto* group : dialog.findChildren<QGroupBox*>())
            labels << group->title();
        labels.sort();
        EXPECT_EQ(texts + labels,
                  QStringList({"Pictorra Vaze - Options", "Scroll the image", "Resize the image",
                               "Bevel the puzzle piece edges", "Play sound effects", "Allow piece rotation",
                               "Pieces have shadows", "Low", "Medium", "High", "Enable music", "OK", "Cancel",
                               "Amount of beveling:", "General Options",
                               "If preview image is too large:", "Piece Beveling", "Preview Window"}));

        OptionsDialogData in;
        for (int id : {1001, 1002, 1005, 1008})
            in.SetChecked(id, true);
        dialog.Load(in);
        dialog.Control(1009)->click();
        OptionsDialogData out;
        dialog.Store(out);
        for (int id = 1000; id <= 1010; ++id)
            EXPECT_EQ(out.Checked(id), id == 1001 || id == 1002 || id == 1005 || id == 1009) << id;
    }

    OptionsDialogData data;
    for (const bool ok : {false, true}) {
        WhenModal<OptionsDialog>([ok](OptionsDialog* dialog) {
            dialog->Control(1005)->click();
            ok ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(platform->RunOptionsDialog(data), ok ? IDOK : IDCANCEL);
        EXPECT_EQ(data.Checked(1005), ok);
    }
}
