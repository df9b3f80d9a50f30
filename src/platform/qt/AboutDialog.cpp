#include "platform/qt/AboutDialog.h"

#include "platform/qt/GameIcon.h"
#include "platform/qt/QtText.h"

#include <QLabel>
#include <QPushButton>

namespace {

void Place(QWidget* widget, const DialogRect& r) {
    widget->setGeometry(r.x, r.y, r.width, r.height);
}

QLabel* PlainLabel(const std::string& text, const DialogRect& r, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText); // the author's text is never markup
    label->setText(FromGameText(text));
    Place(label, r);
    return label;
}

} // namespace

AboutDialog::AboutDialog(const AboutDialogData& data, QWidget* parent) : QDialog(parent) {
    setWindowTitle(FromGameText(data.caption));

    auto* icon = new QLabel(this);
    icon->setPixmap(GameIcon().pixmap(data.icon.width, data.icon.height));
    Place(icon, data.icon);
    PlainLabel(data.nameLine, data.nameRect, this);
    PlainLabel(data.makerLine, data.makerRect, this);

    if (data.showText) {
        QLabel* text = PlainLabel(data.text, data.textRect, this);
        text->setObjectName(QStringLiteral("1013"));
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    if (data.showButton) {
        auto* link = new QPushButton(FromGameText(data.buttonCaption), this);
        link->setObjectName(QStringLiteral("1014"));
        link->setAutoDefault(false);
        Place(link, data.buttonRect);
        connect(link, &QPushButton::clicked, this, [&data] {
            if (data.onButton) data.onButton();
        });
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    Place(ok, data.okRect);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(data.width, data.height);
}
