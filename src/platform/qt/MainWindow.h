#pragma once
// The game's main window: menu with its accelerators, the board with two scroll bars and
// the status bar. Qt events become window messages for the game's procedure.
#include "platform/qt/MessageSink.h"

#include <QMainWindow>

#include <map>
#include <string>

class BoardWidget;
class StatusBarWidget;
class QAction;
class QScrollBar;

class MainWindow : public QMainWindow {
  public:
    explicit MainWindow(MessageSink& sink);

    BoardWidget* Board() const { return board_; }
    StatusBarWidget* Status() const { return status_; }
    // SB_HORZ or SB_VERT.
    QScrollBar* ScrollBar(int bar) const;
    QAction* Action(int commandId) const;

    // Menu texts in the game's form: "&Save Position\tCtrl+S".
    std::string MenuItemText(int commandId) const;
    void SetMenuItemText(int commandId, const std::string& text);

    // The game's client area: the board with the status bar below it, which covers its
    // bottom as a child window would.
    int ClientWidth() const;
    int ClientHeight() const;

    // The virtual-key code of a Qt key, or 0 when the game has no use for it.
    static int VirtualKey(int qtKey);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenu();
    void ConnectScrollBar(QScrollBar* bar, UINT message);
    void SendSize();

    MessageSink& sink_;
    BoardWidget* board_;
    StatusBarWidget* status_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
    std::map<int, QAction*> actions_;
};
