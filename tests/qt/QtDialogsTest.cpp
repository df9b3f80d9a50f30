// Message boxes, the colour chooser and the game's three dialogs.
#include "QtTestSupport.h"

#include "platform/qt/ClosingDialog.h"
#include "platform/qt/OptionsDialog.h"
#include "platform/qt/StandardDialogs.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>

#include <fstream>
#include <map>

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

TEST_F(QtWindowTest, OptionsDialogShowsEveryButtonAsGivenAndReadsThemBackOnlyOnOk) {
    {
        OptionsDialog dialog;
        EXPECT_EQ(dialog.windowTitle(), "Pictorra Vaze - Options");
        const std::map<int, QString> texts{{1000, "Scroll the image"},
                                           {1001, "Resize the image"},
                                           {1002, "Bevel the puzzle piece edges"},
                                           {1004, "Play sound effects"},
                                           {1005, "Allow piece rotation"},
                                           {1006, "Pieces have shadows"},
                                           {1007, "Low"},
                                           {1008, "Medium"},
                                           {1009, "High"},
                                           {1010, "Enable music"},
                                           {1, "OK"},
                                           {2, "Cancel"}};
        for (const auto& [id, text] : texts) {
            auto* button = dialog.findChild<QAbstractButton*>(QString::number(id));
            ASSERT_NE(button, nullptr) << id;
            EXPECT_EQ(button->text(), text) << id;
        }
        QStringList labels;
        for (auto* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        for (auto* group : dialog.findChildren<QGroupBox*>())
            labels << group->title();
        labels.sort();
        EXPECT_EQ(labels,
                  QStringList({"Amount of beveling:", "General Options",
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
