#pragma once
// "Thanks for playing!": the author's information page, shown once as the game closes.
#include "platform/DialogData.h"

#include <QDialog>

#include <functional>
#include <string>

class QPushButton;
class QTextBrowser;

class ClosingDialog : public QDialog {
  public:
    // `openLink` receives the addresses the player clicks in the page.
    ClosingDialog(const ClosingDialogData& data, std::function<void(const std::string&)> openLink,
                  QWidget* owner = nullptr);

    QTextBrowser* Browser() const { return browser_; }
    QPushButton* CloseButton() const { return close_; }

    // The size the dialog has without the author's size.
    static QSize StandardSize() { return QSize(352, 283); }

  private:
    void Place(QWidget* owner, QSize size);

    QTextBrowser* browser_;
    QPushButton* close_;
};
