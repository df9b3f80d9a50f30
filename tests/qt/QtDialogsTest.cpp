// Message boxes, the colour chooser, opening the author's addresses and the author's dialogs.
#include "QtTestSupport.h"

#include "dialogs/AboutDialog.h"
#include "dialogs/ClosingDialog.h"
#include "pack/CProOptions.h"
#include "platform/qt/AboutDialog.h"
#include "platform/qt/ClosingDialog.h"
#include "platform/qt/OptionsDialog.h"
#include "platform/qt/StandardDialogs.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>

#include <fstream>

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
        EXPECT_EQ(std::tuple(box.standardButtons(), box.icon(), MessageBoxAnswer(box, style), box.text(),
                             box.textFormat(), box.windowTitle()),
                  std::tuple(buttons, icon, closedAnswer, QString("<b>not markup</b>\nsecond line"), Qt::PlainText,
                             QString("Save position?")))
            << style;
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
    EXPECT_EQ(std::pair(initial, chosen), std::pair(QColor(0x80, 0x40, 0x20), RGB(10, 20, 30)));

    WhenModal<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(platform->ChooseColour(RGB(1, 2, 3), chosen));
    EXPECT_EQ(chosen, RGB(10, 20, 30));

    // Only what the game's address rule allows is opened; a bare host name as a web page.
    QStringList opened;
    platform->urlOpener = [&](const QUrl& url) { return opened.push_back(url.toString()), true; };
    EXPECT_EQ(std::tuple(platform->OpenUrl("www.example.com") > 32, platform->OpenUrl("mailto:a@example.com") > 32,
                         platform->OpenUrl("file:///bin/sh") > 32, platform->OpenUrl("") > 32),
              std::tuple(true, true, false, false));
    opened.sort();
    EXPECT_EQ(opened, QStringList({"http://www.example.com", "mailto:a@example.com"}));
    platform->urlOpener = [](const QUrl&) { return false; }; // no browser
    EXPECT_LE(platform->OpenUrl("https://example.com/"), 32);

    // The options dialog's buttons are the game's control numbers, read back only on OK.
    {
        OptionsDialog dialog;
        EXPECT_EQ(dialog.windowTitle(), "Pictorra Vaze - Options");
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

TEST_F(QtWindowTest, AboutAndClosingDialogsPlaceWhatTheGameSaysAndKeepTheAuthorsPageLocal) {
    std::vector<QString> opened;
    platform->urlOpener = [&](const QUrl& url) { return opened.push_back(url.toString()), true; };
    CProOptions options;
    options.present = options.extras.aboutTextFlag = options.extras.aboutButtonFlag = 1;
    options.extras.aboutText = "<b>Painted</b> in Delft";
    options.extras.buttonCaption = "More puzzles";
    options.extras.buttonTarget = "https://author.example/";
    AboutDialogData about = MakeAboutDialogData(&options, *platform);
    WhenModal<AboutDialog>([](AboutDialog* dialog) {
        QStringList seen{dialog->windowTitle()};
        for (const char* id : {"1013", "1014", "1"}) {
            auto* w = dialog->findChild<QWidget*>(id);
            const QRect r = w ? w->geometry() : QRect();
            seen << QString("%1 %2,%3 %4x%5").arg(id).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        }
        auto* text = dialog->findChild<QLabel*>("1013");
        seen << text->text() << QString::number(text->textFormat()) << QString::number(dialog->height());
        EXPECT_EQ(seen, QStringList({"About...", "1013 10,52 210x42", "1014 10,96 210x24", "1 76,130 78x24",
                                     "<b>Painted</b> in Delft", QString::number(Qt::PlainText), "198"}));
        auto* link = dialog->findChild<QPushButton*>("1014");
        link->click();
        link->click();
        EXPECT_TRUE(dialog->isVisible());
        dialog->findChild<QPushButton*>("1")->click();
    });
    EXPECT_EQ(platform->RunAboutDialog(about), IDOK);
    EXPECT_EQ(opened, std::vector<QString>(2, "https://author.example/"));

    TempDir dir;
    std::ofstream(dir.File("pro_info_file"))
        << "<html><body><p><a href='https://author.example/more'>More puzzles</a></p>"
           "<img src='https://tracker.example/pixel.png'><img src='local.png'></body></html>";
    QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(dir.File("local.png")), "PNG");
    options.extras.dialogWidth = 400;
    options.extras.dialogHeight = 300;
    ClosingDialogData closing = MakeClosingDialogData(options.extras, dir.File("pro_info_file"), *platform);
    ClosingDialog dialog(closing, platform->Window());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTextBrowser* page = dialog.Page();
    EXPECT_EQ(std::tuple(dialog.size(), page->geometry(), dialog.CloseButton()->geometry(), dialog.windowTitle(),
                         page->toPlainText().startsWith("More puzzles")),
              std::tuple(QSize(400, 300), QRect(0, 0, 392, 235), QRect(155, 240, 90, 24),
                         QString("Thanks for playing!"), true));
    EXPECT_TRUE(page->loadResource(QTextDocument::ImageResource, QUrl("https://tracker.example/pixel.png")).isNull());
    EXPECT_FALSE(page->loadResource(QTextDocument::ImageResource, QUrl("local.png")).isNull());

    // A click on the link goes to the game; the view stays on the author's page.
    const QUrl source = page->source();
    QTextCursor onLink(page->document());
    onLink.setPosition(3);
    const QPoint at = page->cursorRect(onLink).center();
    QTest::mousePress(page->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(page->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(opened.back(), "https://author.example/more");
    EXPECT_EQ(page->source(), source);
}
