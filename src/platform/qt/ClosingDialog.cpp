#include "platform/qt/ClosingDialog.h"

#include "platform/qt/QtText.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>

#include <algorithm>

namespace {
// Below this the page and the button no longer fit.
constexpr int kMinWidth = 160;
constexpr int kMinHeight = 120;
} // namespace

ClosingDialog::ClosingDialog(const ClosingDialogData& data, std::function<void(const std::string&)> openLink,
                             QWidget* owner)
    : QDialog(owner), browser_(new QTextBrowser(this)),
      close_(new QPushButton(QStringLiteral("&Close"), this)) {
    setWindowTitle(QStringLiteral("Thanks for playing!"));
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    close_->setDefault(true);

    // Links go through the game's opener, which only hands web addresses to the browser.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, [openLink](const QUrl& url) {
        if (openLink) openLink(ToGameText(url.toString()));
    });
    const QString page = FromGameText(data.pagePath);
    if (!page.isEmpty() && QFileInfo(page).isFile())
        browser_->setSource(QUrl::fromLocalFile(page), QTextDocument::HtmlResource);

    QSize size = StandardSize();
    if (data.width > 0 && data.height > 0) {
        // The author's size, kept within reason and within the screen.
        QRect work(0, 0, 4096, 4096);
        if (QScreen* screen = QGuiApplication::primaryScreen()) work = screen->availableGeometry();
        size = QSize(std::clamp(data.width, kMinWidth, std::max(kMinWidth, work.width())),
                     std::clamp(data.height, kMinHeight, std::max(kMinHeight, work.height())));
    }
    Place(owner, size);
}

void ClosingDialog::Place(QWidget* owner, QSize size) {
    QRect work(0, 0, 4096, 4096);
    if (QScreen* screen = QGuiApplication::primaryScreen()) work = screen->availableGeometry();

    // Centred at the standard size over the owner (or the work area), then kept on screen;
    // a larger author's size grows to the right and down from there.
    const QSize standard = StandardSize();
    const QRect over = owner && owner->isVisible() && !owner->isMinimized() ? owner->frameGeometry() : work;
    int x = (over.left() + over.right()) / 2 - standard.width() / 2;
    int y = (over.top() + over.bottom()) / 2 - standard.height() / 2;
    x = std::max(std::min(x, work.right() + 1 - standard.width()), work.left());
    y = std::max(std::min(y, work.bottom() + 1 - standard.height()), work.top());
    move(x, y);

    setFixedSize(size);
    browser_->setGeometry(0, 0, size.width() - 8, size.height() - 65);
    close_->setGeometry(size.width() / 2 - 45, size.height() - 60, 90, 24);
}
