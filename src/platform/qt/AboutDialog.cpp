#include "platform/qt/AboutDialog.h"

#include "platform/qt/GameIcon.h"
#include "platform/qt/QtText.h"

#include <QLabel>
#include <QPushButton>

AboutDialog::AboutDialog(const AboutDialogData& data, std::function<void(const std::string&)> openLink,
                         QWidget* parent)
    : QDialog(parent), text_(new QLabel(this)), link_(new QPushButton(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)) {
    setWindowTitle(QStringLiteral("About..."));

    auto* icon = new QLabel(this);
    icon->setPixmap(GameIcon().pixmap(32, 32));
    icon->setGeometry(10, 11, 32, 32);
    auto* name = new QLabel(QStringLiteral("Pictorra Vaze v1.03"), this);
    name->setGeometry(52, 8, 170, 16);
    auto* maker = new QLabel(QStringLiteral("A jigsaw puzzle game"), this);
    maker->setGeometry(52, 24, 170, 16);

    // The author's parts stack below the fixed lines; the OK button and the height follow.
    int y = 52;
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (!data.text.empty()) {
        text_->setText(FromGameText(data.text));
        text_->setGeometry(10, 52, 210, 42);
        y = 96;
    } else {
        text_->hide();
    }
    if (!data.linkLabel.empty()) {
        link_->setText(FromGameText(data.linkLabel));
        link_->setGeometry(10, y, 210, 24);
        y += 34;
        const std::string url = data.linkUrl;
        connect(link_, &QPushButton::clicked, this, [openLink, url] {
            if (!url.empty() && openLink) openLink(url);
        });
    } else {
        link_->hide();
    }
    link_->setAutoDefault(false);
    ok_->setGeometry(76, y, 78, 24);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(230, y + 68);
}
