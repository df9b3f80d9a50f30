#include "platform/qt/ClosingDialog.h"

#include "platform/qt/QtText.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>

namespace {

// An author's page may name pictures anywhere; only files on this machine are loaded, so
// showing the page never reaches the network.
class LocalPageView : public QTextBrowser {
  public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        const QUrl url = source().resolved(name);
        if (!url.isLocalFile()) return {};
        return QTextBrowser::loadResource(type, url);
    }
};

} // namespace

ClosingDialog::ClosingDialog(const ClosingDialogData& data, QWidget* owner)
    : QDialog(owner), page_(new LocalPageView(this)), close_(new QPushButton(this)) {
    setWindowTitle(FromGameText(data.caption));
    close_->setText(FromGameText(data.closeCaption));
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    page_->setOpenLinks(false);
    page_->setOpenExternalLinks(false);
    connect(page_, &QTextBrowser::anchorClicked, this, [this, &data](const QUrl& link) {
        const QUrl url = page_->source().resolved(link);
        if (url.matches(page_->source(), QUrl::RemoveFragment) && url.hasFragment()) {
            page_->scrollToAnchor(url.fragment());
        } else if (data.onLink) {
            data.onLink(ToGameText(url.toString()));
        }
    });
    // The page file has no extension to tell its type: it is HTML.
    if (!data.pagePath.empty())
        page_->setSource(QUrl::fromLocalFile(FromGameText(data.pagePath)), QTextDocument::HtmlResource);

    move(data.x, data.y);
    setFixedSize(data.width, data.height);
    const DialogRect& v = data.viewRect;
    const DialogRect& c = data.closeRect;
    page_->setGeometry(v.x, v.y, v.width, v.height);
    close_->setGeometry(c.x, c.y, c.width, c.height);
}
