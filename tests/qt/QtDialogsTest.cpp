// Message boxes, the colour chooser and the game's three dialogs.
#include "QtTestSupport.h"

#include "platform/qt/AboutDialog.h"
#include "platform/qt/ClosingDialog.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/OptionsDialog.h"
#include "platform/qt/StandardDialogs.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>

#include <fstream>

namespace {

// Runs `act` on the modal dialog of type T once it is open.
template <typename T> void WhenModal(std::function<void(T*)> act) {
    auto attempt = std::make_shared<std::function<void()>>();
    *attempt = [act, attempt] {
        if (auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget())) {
            act(dialog);
            return;
        }
        QTimer::singleShot(10, *attempt);
    };
    QTimer::singleShot(0, *attempt);
}

} // namespace

TEST(QtMessageBoxTest, StylesGiveTheirButtonsIconsAndAnswers) {
    EnsureTestApp();
    struct Case {
        UINT style;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        int closedAnswer;
    };
    const Case cases[] = {
        {MB_OK, QMessageBox::Ok, QMessageBox::NoIcon, IDOK},
        {MB_YESNOCANCEL | MB_ICONWARNING, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Warning, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, IDNO},
        {MB_OKCANCEL | MB_ICONERROR, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Critical, IDCANCEL},
        {MB_OK | MB_ICONINFORMATION, QMessageBox::Ok, QMessageBox::Information, IDOK},
    };
    for (const Case& c : cases) {
        QMessageBox box;
        PrepareMessageBox(box, "Would you like to save your current position first?", "Save position?",
                          c.style);
        EXPECT_EQ(box.standardButtons(), c.buttons) << c.style;
        EXPECT_EQ(box.icon(), c.icon) << c.style;
        EXPECT_EQ(MessageBoxAnswer(box, c.style), c.closedAnswer) << c.style;
    }
    QMessageBox box;
    PrepareMessageBox(box, "<b>not markup</b>\nsecond line", "Error", MB_OK);
    EXPECT_EQ(box.text(), "<b>not markup</b>\nsecond line");
    EXPECT_EQ(box.textFormat(), Qt::PlainText);
    EXPECT_EQ(box.windowTitle(), "Error");
}

TEST_F(QtWindowTest, MessageBoxReturnsTheButtonPressed) {
    QString seenText, seenTitle;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        seenText = box->text();
        seenTitle = box->windowTitle();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(platform->MessageBox("Are you sure you want to do this?", "Are you sure?", MB_YESNO), IDNO);
    EXPECT_EQ(seenText, "Are you sure you want to do this?");
    EXPECT_EQ(seenTitle, "Are you sure?");
}

TEST_F(QtWindowTest, ColourChooserStartsAtTheCurrentColour) {
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

TEST(QtOptionsDialogTest, ControlsShowTheOptionsAndReadThemBack) {
    EnsureTestApp();
    OptionsDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Pictorra Vaze - Options");
    const std::pair<int, const char*> texts[] = {{1000, "Scroll the image"},
                                                 {1001, "Resize the image"},
                                                 {1004, "Play sound effects"},
                                                 {1010, "Enable music"},
                                                 {1005, "Allow piece rotation"},
                                                 {1006, "Pieces have shadows"},
                                                 {1002, "Bevel the puzzle piece edges"},
                                                 {1007, "Low"},
                                                 {1008, "Medium"},
                                                 {1009, "High"}};
    for (auto [id, text] : texts) {
        ASSERT_NE(dialog.Control(id), nullptr) << id;
        EXPECT_EQ(dialog.Control(id)->text(), text);
    }

    OptionsDialogData in;
    in.soundeffects = 0;
    in.shadow = 1;
    in.beveling = 1;
    in.bevellevel = 7; // out of range: shown as Low, stored back as 0
    in.userotation = 1;
    in.useMusic = 0;
    in.showMode = 1;
    dialog.Load(in);
    EXPECT_FALSE(dialog.Control(1004)->isChecked());
    EXPECT_TRUE(dialog.Control(1005)->isChecked());
    EXPECT_TRUE(dialog.Control(1007)->isChecked());
    EXPECT_FALSE(dialog.Control(1008)->isChecked());
    EXPECT_TRUE(dialog.Control(1001)->isChecked());
    EXPECT_FALSE(dialog.Control(1000)->isChecked());
    OptionsDialogData out;
    dialog.Store(out);
    EXPECT_EQ(out.soundeffects, 0);
    EXPECT_EQ(out.shadow, 1);
    EXPECT_EQ(out.beveling, 1);
    EXPECT_EQ(out.bevellevel, 0);
    EXPECT_EQ(out.userotation, 1);
    EXPECT_EQ(out.useMusic, 0);
    EXPECT_EQ(out.showMode, 1);

    // Picking another amount leaves exactly one checked.
    dialog.Control(1009)->click();
    dialog.Store(out);
    EXPECT_EQ(out.bevellevel, 2);
    EXPECT_FALSE(dialog.Control(1007)->isChecked());
}

TEST_F(QtWindowTest, OptionsDialogChangesTheDataOnlyOnOk) {
    OptionsDialogData data;
    data.userotation = 0;
    WhenModal<OptionsDialog>([](OptionsDialog* dialog) {
        dialog->Control(1005)->click();
        dialog->reject();
    });
    EXPECT_EQ(platform->RunOptionsDialog(data), IDCANCEL);
    EXPECT_EQ(data.userotation, 0);

    WhenModal<OptionsDialog>([](OptionsDialog* dialog) {
        dialog->Control(1005)->click();
        dialog->accept();
    });
    EXPECT_EQ(platform->RunOptionsDialog(data), IDOK);
    EXPECT_EQ(data.userotation, 1);
}

TEST(QtAboutDialogTest, AuthorPartsStackAndMoveTheOkButton) {
    EnsureTestApp();
    struct Layout {
        const char* text;
        const char* label;
        QPoint link;
        QPoint ok;
        QSize size;
    };
    const Layout layouts[] = {
        {"", "", {}, {76, 52}, {230, 120}},
        {"By the author", "", {}, {76, 96}, {230, 164}},
        {"", "Visit us", {10, 52}, {76, 86}, {230, 154}},
        {"By the author", "Visit us", {10, 96}, {76, 130}, {230, 198}},
    };
    for (const Layout& l : layouts) {
        SCOPED_TRACE(std::string(l.text) + "/" + l.label);
        AboutDialogData data{l.text, l.label, "http://example.com/"};
        AboutDialog dialog(data, nullptr);
        EXPECT_EQ(dialog.windowTitle(), "About...");
        EXPECT_EQ(dialog.TextLabel()->isVisibleTo(&dialog), *l.text != 0);
        EXPECT_EQ(dialog.LinkButton()->isVisibleTo(&dialog), *l.label != 0);
        if (*l.label) {
            EXPECT_EQ(dialog.LinkButton()->pos(), l.link);
        }
        if (*l.text) {
            EXPECT_EQ(dialog.TextLabel()->text(), l.text);
        }
        EXPECT_EQ(dialog.OkButton()->pos(), l.ok);
        EXPECT_EQ(dialog.size(), l.size);
    }
}

TEST(QtAboutDialogTest, LinkButtonOpensTheLinkEachTimeAndStaysOpen) {
    EnsureTestApp();
    std::vector<std::string> opened;
    AboutDialog dialog(AboutDialogData{"", "Visit us", "http://example.com/"},
                       [&](const std::string& url) { opened.push_back(url); });
    dialog.show();
    dialog.LinkButton()->click();
    dialog.LinkButton()->click();
    EXPECT_EQ(opened, (std::vector<std::string>{"http://example.com/", "http://example.com/"}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);

    AboutDialog noTarget(AboutDialogData{"", "Visit us", ""},
                         [&](const std::string& url) { opened.push_back(url); });
    noTarget.LinkButton()->click();
    EXPECT_EQ(opened.size(), 2u);
}

TEST(QtClosingDialogTest, ShowsThePageAtTheAuthorsSize) {
    EnsureTestApp();
    TempDir dir;
    const std::string page = dir.File("pro_info_file");
    std::ofstream(page) << "<html><body><p>Thank you for solving Boats</p>"
                           "<a href=\"file:///bin/sh\">run</a></body></html>";
    std::vector<std::string> links;
    ClosingDialog dialog(ClosingDialogData{page, 400, 300},
                         [&](const std::string& url) { links.push_back(url); });
    EXPECT_EQ(dialog.windowTitle(), "Thanks for playing!");
    EXPECT_EQ(dialog.size(), QSize(400, 300));
    EXPECT_EQ(dialog.Browser()->size(), QSize(392, 235));
    EXPECT_EQ(dialog.CloseButton()->pos(), QPoint(155, 240));
    EXPECT_EQ(dialog.CloseButton()->text(), "&Close");
    EXPECT_TRUE(dialog.Browser()->toPlainText().contains("Thank you for solving Boats"));
    // Links are handed to the game, never followed by the view itself.
    emit dialog.Browser()->anchorClicked(QUrl("file:///bin/sh"));
    EXPECT_EQ(links, std::vector<std::string>{"file:///bin/sh"});
    EXPECT_TRUE(dialog.Browser()->toPlainText().contains("Thank you for solving Boats"));
}

TEST(QtClosingDialogTest, UnusableSizesAndMissingPagesStillGiveADialog) {
    EnsureTestApp();
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    ClosingDialog huge(ClosingDialogData{"/no/such/pro_info_file", 100000, 100000}, nullptr);
    EXPECT_LE(huge.width(), work.width());
    EXPECT_LE(huge.height(), work.height());
    EXPECT_TRUE(huge.Browser()->toPlainText().isEmpty());
    EXPECT_TRUE(work.contains(huge.pos()));

    ClosingDialog tiny(ClosingDialogData{"", 3, 2}, nullptr);
    EXPECT_GT(tiny.Browser()->width(), 0);
    EXPECT_GT(tiny.Browser()->height(), 0);

    ClosingDialog standard(ClosingDialogData{"", 0, 0}, nullptr);
    EXPECT_EQ(standard.size(), ClosingDialog::StandardSize());
}

TEST_F(QtWindowTest, OnlyWebAndMailAddressesAreOpened) {
    std::vector<QUrl> opened;
    platform->urlOpener = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    EXPECT_GT(platform->OpenUrl("http://www.example.com/jigsaw/"), 32);
    EXPECT_GT(platform->OpenUrl("www.example.com"), 32);
    EXPECT_GT(platform->OpenUrl("mailto:author@example.com"), 32);
    EXPECT_LE(platform->OpenUrl("file:///bin/sh"), 32);
    EXPECT_LE(platform->OpenUrl("/usr/bin/xterm"), 32);
    EXPECT_LE(platform->OpenUrl("javascript:alert(1)"), 32);
    EXPECT_LE(platform->OpenUrl(""), 32);
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[1].scheme(), "http");

    platform->urlOpener = [](const QUrl&) { return false; }; // no browser
    EXPECT_LE(platform->OpenUrl("https://example.com/"), 32);
}
