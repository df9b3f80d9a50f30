#pragma once
// "Thanks for playing!": the author's information page in a plain HTML view, placed and sized
// as the game says. The view shows local content only and never follows a link itself.
#include "platform/DialogData.h"

#include <QDialog>

class QPushButton;
class QTextBrowser;

class ClosingDialog : public QDialog {
  public:
    // `data` must outlive the dialog: clicked links go to its handler.
    explicit ClosingDialog(const ClosingDialogData& data, QWidget* owner = nullptr);

    QTextBrowser* Page() const { return page_; }
    QPushButton* CloseButton() const { return close_; }

  private:
    QTextBrowser* page_;
    QPushButton* close_;
};
