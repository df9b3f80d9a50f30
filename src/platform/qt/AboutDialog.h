#pragma once
// The About box: the game's name and version and, when the puzzle's author gave them, a
// text and a button that opens the author's link.
#include "platform/DialogData.h"

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QPushButton;

class AboutDialog : public QDialog {
  public:
    AboutDialog(const AboutDialogData& data, std::function<void(const std::string&)> openLink,
                QWidget* parent = nullptr);

    QLabel* TextLabel() const { return text_; }
    QPushButton* LinkButton() const { return link_; }
    QPushButton* OkButton() const { return ok_; }

  private:
    QLabel* text_;
    QPushButton* link_;
    QPushButton* ok_;
};
