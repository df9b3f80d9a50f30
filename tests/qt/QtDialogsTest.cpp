// Message boxes, the colour chooser and the game's three dialogs.
#include "QtTestSupport.h"

#include "platform/qt/ClosingDialog.h"
#include "platform/qt/OptionsDialog.h"
#include "platform/qt/StandardDialogs.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>

#include <fstream>
#include <tuple>

namespace {

// Runs `act` on the modal dialog of type T once it is open.
template <typename T> void WhenModal(std::function<void(T*)> act) {
    auto attempt = std::make_shared<std::function<void()>>();
    *attempt = [act, attempt] {
        if (auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget()))
            act(dialog);
        else
            QTimer::singleShot(10, *attempt);
    };
    QTimer::singleShot(0, *attempt);
}

} // namespace

TEST(QtMessageBoxTest, StylesGiveTheirButtonsIconsAndAnswers) {
    const struct {
        UINT style;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        int closedAnswer;
    } cases[] = {
        {MB_OK, QMessageBox::Ok, QMessageBox::NoIcon, IDOK},
        {MB_YESNOCANCEL | MB_ICONWARNING, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Warning, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, IDNO},
        {MB_OKCANCEL | MB_ICONERROR, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Critical, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        QMessageBox box;
        PrepareMessageBox(box, "<b>not markup</b>\nsecond line", "Save position?", c.style);
        EXPECT_EQ(box.standardButtons(), c.buttons);
        EXPECT_EQ(box.icon(), c.icon);
        EXPECT_EQ(MessageBoxAnswer(box, c.style), c.closedAnswer);
        EXPECT_EQ(box.text(), "<b>not markup</b>\nsecond line");
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.windowTitle(), "Save position?");
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
    ASSERT_TRUE(platform->ChooseColour(RGB(0x80, 0x40, 0x20), &chosen));
    EXPECT_EQ(initial, QColor(0x80, 0x40, 0x20));
    EXPECT_EQ(chosen, RGB(10, 20, 30));

    WhenModal<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
    chosen = 0x123456;
    EXPECT_FALSE(platform->ChooseColour(RGB(1, 2, 3), &chosen));
    EXPECT_EQ(chosen, 0x123456u);
}

TEST_F(QtWindowTest, OptionsDialogShowsAndReadsBackTheOptionsAndChangesThemOnlyOnOk) {
    {
        OptionsDialog dialog;
        EXPECT_EQ(dialog.windowTitle(), "Pictorra Vaze - Options");
        for (int id : {1000, 1001, 1002, 1004, 1005, 1006, 1007, 1008, 1009, 1010})
            ASSERT_NE(dialog.Control(id), nullptr) << id;
        const OptionsDialogData in{0, 1, 1, 7, 1, 0, 1}; // bevel level 7 is out of range: Low
        dialog.Load(in);
        EXPECT_TRUE(dialog.Control(1007)->isChecked());
        EXPECT_FALSE(dialog.Control(1000)->isChecked());
        OptionsDialogData out;
        dialog.Store(out);
        EXPECT_EQ(std::tie(out.soundeffects, out.shadow, out.beveling, out.bevellevel, out.userotation,
                           out.useMusic, out.showMode),
                  std::make_tuple(0, 1, 1, 0, 1, 0, 1));
        dialog.Control(1009)->click();
        dialog.Store(out);
        EXPECT_EQ(out.bevellevel, 2);
        EXPECT_FALSE(dialog.Control(1007)->isChecked());
    }

    OptionsDialogData data;
    data.userotation = 0;
    for (const bool ok : {false, true}) {
        WhenModal<OptionsDialog>([ok](OptionsDialog* dialog) {
            dialog->Control(1005)->click();
            ok ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(platform->RunOptionsDialog(data), ok ? IDOK : IDCANCEL);
        EXPECT_EQ(data.userotation, ok ? 1 : 0);
    }
}

TEST(QtClosingDialogTest, ThePageIsShownItsLinksGoToTheGameAndItsSizeIsKeptOnScreen) {
    TempDir dir;
    const std::string page = dir.File("pro_info_file");
    std::ofstream(page) << "<html><body><p>Thank you for solving Boats</p>"
                           "<a href=\"file:///bin/sh\">run</a></body></html>";
    std::vector<std::string> links;
    ClosingDialog dialog(ClosingDialogData{page, 400, 300},
                         [&](const std::string& url) { links.push_back(url); });
    EXPECT_EQ(dialog.windowTitle(), "Thanks for playing!");
    EXPECT_EQ(dialog.size(), QSize(400, 300));
    EXPECT_TRUE(dialog.Browser()->toPlainText().contains("Thank you for solving Boats"));
    // Links are handed to the game, never followed by the view itself.
    emit dialog.Browser()->anchorClicked(QUrl("file:///bin/sh"));
    EXPECT_EQ(links, std::vector<std::string>{"file:///bin/sh"});
    EXPECT_TRUE(dialog.Browser()->toPlainText().contains("Thank you for solving Boats"));

    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    ClosingDialog huge(ClosingDialogData{"/no/such/pro_info_file", 100000, 100000}, nullptr);
    EXPECT_LE(huge.width(), work.width());
    EXPECT_LE(huge.height(), work.height());
    EXPECT_TRUE(work.contains(huge.pos()));
    EXPECT_TRUE(huge.Browser()->toPlainText().isEmpty());
    ClosingDialog tiny(ClosingDialogData{"", 3, 2}, nullptr);
    EXPECT_GT(tiny.Browser()->width(), 0);
}
