#include "platform/qt/StandardDialogs.h"

#include "platform/qt/QtText.h"

#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
constexpr UINT kButtonMask = 0x0F;
constexpr UINT kIconMask = 0xF0;
} // namespace

void PrepareMessageBox(QMessageBox& box, const std::string& text, const std::string& caption, UINT style) {
    box.setTextFormat(Qt::PlainText);
    box.setText(FromGameText(text));
    box.setWindowTitle(FromGameText(caption));
    switch (style & kIconMask) {
    case MB_ICONERROR:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONWARNING:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    // The first button is the default one.
    switch (style & kButtonMask) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    }
}

int MessageBoxAnswer(const QMessageBox& box, UINT style) {
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        break;
    }
    // Closed without a button: the answer that changes nothing.
    switch (style & kButtonMask) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    default:
        return IDOK;
    }
}

int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption, UINT style) {
    QMessageBox box(owner);
    PrepareMessageBox(box, text, caption, style);
    box.exec();
    return MessageBoxAnswer(box, style);
}

bool ChooseColourDialog(QWidget* owner, COLORREF initial, COLORREF& chosen) {
    // Custom colours are not kept from one use to the next.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::white);
    QColorDialog dialog(QColor(GetRValue(initial), GetGValue(initial), GetBValue(initial)), owner);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QColor colour = dialog.selectedColor();
    if (!colour.isValid()) return false;
    chosen = RGB(colour.red(), colour.green(), colour.blue());
    return true;
}
