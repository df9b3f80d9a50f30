#include "platform/qt/MainWindow.h"

#include "app/Commands.h"
#include "play/Board.h"
#include "platform/qt/BoardWidget.h"
#include "platform/qt/QtText.h"
#include "platform/qt/ScrollMessages.h"
#include "platform/qt/StatusBarWidget.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdint>

namespace {

// SIZE_* values of WM_SIZE.
constexpr WPARAM kSizeRestored = 0;
constexpr WPARAM kSizeMinimized = 1;
constexpr WPARAM kSizeMaximized = 2;
} // namespace

MainWindow::MainWindow(MessageSink& sink)
    : sink_(sink), board_(new BoardWidget(sink)), status_(new StatusBarWidget),
      horizontal_(new QScrollBar(Qt::Horizontal)), vertical_(new QScrollBar(Qt::Vertical)) {
    auto* central = new QWidget;
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(board_, 0, 0);
    grid->addWidget(vertical_, 0, 1);
    grid->addWidget(horizontal_, 1, 0);
    grid->addWidget(status_, 2, 0, 1, 2);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
    setCentralWidget(central);

    ConnectScrollBar(horizontal_, WM_HSCROLL);
    ConnectScrollBar(vertical_, WM_VSCROLL);
    board_->resized = [this] { SendSize(); };
    BuildMenu();
    board_->setFocus();
}

QScrollBar* MainWindow::ScrollBar(int bar) const {
    return bar == SB_VERT ? vertical_ : horizontal_;
}

QAction* MainWindow::Action(int commandId) const {
    auto it = actions_.find(commandId);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::BuildMenu() {
    QMenu* menu = nullptr;
    for (const MenuEntry& entry : MainMenuLayout()) {
        if (entry.popup) {
            menu = menuBar()->addMenu(QString::fromLatin1(entry.text));
            continue;
        }
        if (!menu) continue;
        if (entry.commandId == -1) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString());
        if (entry.accelKey >= 'A' && entry.accelKey <= 'Z') {
            action->setShortcut(
                QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_A + (entry.accelKey - 'A'))));
        }
        const int id = entry.commandId;
        // Posted, so a command that opens a dialog runs after the menu has closed.
        connect(action, &QAction::triggered, this,
                [this, id] { sink_.Post(WM_COMMAND, static_cast<WPARAM>(id), 0); });
        actions_[id] = action;
        SetMenuItemText(id, entry.text);
    }
}

std::string MainWindow::MenuItemText(int commandId) const {
    QAction* action = Action(commandId);
    if (!action) return {};
    QString text = action->text();
    if (!action->shortcut().isEmpty()) text += '\t' + action->shortcut().toString(QKeySequence::PortableText);
    return ToGameText(text);
}

void MainWindow::SetMenuItemText(int commandId, const std::string& text) {
    QAction* action = Action(commandId);
    if (!action) return;
    QString label = FromGameText(text);
    // The shortcut shows its own key name; without one, the menu shows the part after the tab.
    const qsizetype tab = label.indexOf('\t');
    if (tab >= 0 && !action->shortcut().isEmpty()) label.truncate(tab);
    action->setText(label);
}

void MainWindow::ConnectScrollBar(QScrollBar* bar, UINT message) {
    bar->setRange(0, kBoardSize);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->installEventFilter(this);
    // The game owns the position: the bar reports what was asked for and goes back to where
    // it was until the game sets it.
    connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar, message](int action) {
        const int request = ScrollRequest(action);
        if (request < 0) return;
        const int wanted = bar->sliderPosition();
        bar->setSliderPosition(bar->value());
        const int thumb = request == SB_THUMBTRACK ? wanted : 0;
        sink_.Deliver(message, ScrollWParam(request, thumb), 0);
    });
    connect(bar, &QAbstractSlider::sliderReleased, this, [this, bar, message] {
        sink_.Deliver(message, ScrollWParam(SB_THUMBPOSITION, bar->value()), 0);
        sink_.Deliver(message, ScrollWParam(SB_ENDSCROLL, 0), 0);
    });
}

int MainWindow::ClientWidth() const {
    return board_->width();
}

int MainWindow::ClientHeight() const {
    return board_->height() + (status_->isVisible() ? status_->height() : 0);
}

void MainWindow::SendSize() {
    WPARAM kind = kSizeRestored;
    if (isMinimized())
        kind = kSizeMinimized;
    else if (isMaximized())
        kind = kSizeMaximized;
    sink_.Deliver(WM_SIZE, kind, MakeMouseLParam(ClientWidth(), ClientHeight()));
}

int MainWindow::VirtualKey(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control: // the Command key on macOS, matching Qt::ControlModifier
        return VK_CONTROL;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    default:
        return 0;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The game decides whether to leave and ends the run itself.
    event->ignore();
    sink_.Post(WM_CLOSE, 0, 0);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const int vk = VirtualKey(event->key());
    if (vk == 0) return QMainWindow::keyPressEvent(event);
    // Repeat count 1; bit 30 says the key was already down.
    const LPARAM lParam = 1 | (event->isAutoRepeat() ? (1 << 30) : 0);
    sink_.Deliver(WM_KEYDOWN, static_cast<WPARAM>(vk), lParam);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    const int vk = VirtualKey(event->key());
    if (vk == 0) return QMainWindow::keyReleaseEvent(event);
    // Some window systems repeat a held key as release/press pairs; only the last release counts.
    if (event->isAutoRepeat()) return;
    sink_.Deliver(WM_KEYUP, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001u));
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        sink_.Deliver(isActiveWindow() ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
    } else if (event->type() == QEvent::WindowStateChange) {
        SendSize();
        sink_.RequestPaint();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The wheel over a scroll bar goes to the window like any other wheel turn.
    if (event->type() == QEvent::Wheel && (watched == horizontal_ || watched == vertical_)) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const int delta = std::clamp(wheel->angleDelta().y(), -32768, 32767);
        if (delta != 0) {
            const QPoint p = board_->mapFromGlobal(wheel->globalPosition().toPoint());
            const WPARAM keys = BoardWidget::KeyState(wheel->buttons(), wheel->modifiers());
            sink_.Deliver(WM_MOUSEWHEEL, MakeWheelWParam(keys, delta), MakeMouseLParam(p.x(), p.y()));
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
