#include "platform/qt/QtPlatform.h"

#include "platform/OpenableAddress.h"
#include "platform/SystemPaths.h"
#include "platform/qt/AboutDialog.h"
#include "platform/qt/BoardWidget.h"
#include "platform/qt/ClosingDialog.h"
#include "platform/qt/GameIcon.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/OptionsDialog.h"
#include "platform/qt/PreviewWindow.h"
#include "platform/qt/QtText.h"
#include "platform/qt/StandardDialogs.h"
#include "platform/qt/StatusBarWidget.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

// The game's two windows: the main window and the preview it owns.
constexpr HWND kMainWindow = 1;
constexpr HWND kPreviewWindow = 2;
// The idle step first runs this soon, and never runs again sooner than this.
constexpr int kIdlePeriodMs = 10;
// What the shell answers on success, and for an address it will not open.
constexpr int kOpened = 42;
constexpr int kNotFound = 2;
constexpr int kAccessDenied = 5;

// A message sent from a worker: the worker waits on it, the GUI thread completes it.
struct PendingSend {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool abandoned = false;
};

// A dialog belongs to the window the player is using, or else to the main window.
QWidget* DialogOwner(QWidget* mainWindow) {
    QWidget* active = QApplication::activeWindow();
    return active ? active : mainWindow;
}

} // namespace

QtPlatform::QtPlatform() {
    urlOpener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

QtPlatform::~QtPlatform() {
    for (auto& [id, timer] : timers_)
        delete timer;
    timers_.clear();
    procedure_ = nullptr;
    previewProcedure_ = nullptr;
    preview_ = nullptr;
    window_.reset();
}

// --- Files and process -----------------------------------------------------------------------

std::string QtPlatform::TempDirectory() {
    if (!tempDirectory_.empty()) return tempDirectory_;
    return DefaultTempDirectory();
}

std::string QtPlatform::ExecutablePath() {
    if (!executablePath_.empty()) return executablePath_;
    std::string path = OwnExecutablePath();
    if (path.empty() && QCoreApplication::instance())
        path = ToGameText(QCoreApplication::applicationFilePath());
    return path;
}

// --- Main window -----------------------------------------------------------------------------

HWND QtPlatform::CreateMainWindow(const std::string& title, int width, int height,
                                  WindowProcedure procedure) {
    procedure_ = procedure;
    if (window_) return kMainWindow;
    window_ = std::make_unique<MainWindow>(static_cast<MessageSink&>(*this));
    window_->setWindowIcon(GameIcon());
    QApplication::setWindowIcon(GameIcon());
    SetWindowText(title);
    window_->resize(width > 0 ? width : 800, height > 0 ? height : 600);
    window_->show();
    return kMainWindow;
}

void QtPlatform::ShowMaximized() {
    if (window_) window_->showMaximized();
}

void QtPlatform::SetWindowText(const std::string& text) {
    if (window_) window_->setWindowTitle(FromGameText(text));
}

int QtPlatform::ClientWidth() {
    return window_ ? window_->ClientWidth() : 0;
}

int QtPlatform::ClientHeight() {
    return window_ ? window_->ClientHeight() : 0;
}

void QtPlatform::SetMenuItemText(int commandId, const std::string& text) {
    if (window_) window_->SetMenuItemText(commandId, text);
}

// --- Status bar --------------------------------------------------------------------------------

void QtPlatform::SetStatusParts(const std::vector<int>& rightEdges) {
    if (window_) window_->Status()->SetParts(rightEdges);
}

void QtPlatform::SetStatusText(int part, const std::string& text) {
    if (window_) window_->Status()->SetText(part, FromGameText(text));
}

int QtPlatform::StatusBarHeight() {
    if (!window_ || !window_->Status()->isVisible()) return 0;
    return window_->Status()->height();
}

// --- Scroll bars -------------------------------------------------------------------------------

void QtPlatform::SetScrollRange(int bar, int minimum, int maximum) {
    if (window_) window_->ScrollBar(bar)->setRange(minimum, std::max(minimum, maximum));
}

void QtPlatform::SetScrollPos(int bar, int position) {
    if (window_) window_->ScrollBar(bar)->setValue(position);
}

void QtPlatform::ShowScrollBars(bool show) {
    if (!window_) return;
    window_->ScrollBar(SB_HORZ)->setVisible(show);
    window_->ScrollBar(SB_VERT)->setVisible(show);
}

// --- Screen and presentation -------------------------------------------------------------

ScreenInfo QtPlatform::Screen() {
    ScreenInfo info;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return info;
    info.width = screen->size().width();
    info.height = screen->size().height();
    info.usableWidth = screen->availableGeometry().width();
    info.usableHeight = screen->availableGeometry().height();
    const int depth = screen->depth();
    if (depth >= 24) {
        // A 24-bit visual keeps its pixels in 32 bits.
        info.bitsPerPixel = 32;
    } else if (depth >= 15) {
        info.bitsPerPixel = 16;
        if (depth == 15)
            info.redMask = 0x7C00, info.greenMask = 0x03E0, info.blueMask = 0x001F;
        else
            info.redMask = 0xF800, info.greenMask = 0x07E0, info.blueMask = 0x001F;
    } else {
        info.bitsPerPixel = 8;
    }
    if (window_)
        info.scrollBarWidth = window_->ScrollBar(SB_VERT)->sizeHint().width();
    else
        info.scrollBarWidth = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return info;
}

bool QtPlatform::Present(const FrameView& frame) {
    // Nothing here can be lost; a frame that cannot be shown is simply not shown.
    if (window_) window_->Board()->ShowFrame(frame);
    return true;
}

bool QtPlatform::PresentPart(const FrameView& frame, const RECT& changed) {
    if (window_) window_->Board()->ShowFrame(frame, &changed);
    return true;
}

// --- Input helpers -----------------------------------------------------------------------------

void QtPlatform::SetCursor(CursorKind kind) {
    if (!window_) return;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (kind) {
    case CursorKind::Arrow:
        shape = Qt::ArrowCursor;
        break;
    case CursorKind::OpenHand:
        shape = Qt::OpenHandCursor;
        break;
    case CursorKind::PointingHand:
        shape = Qt::PointingHandCursor;
        break;
    case CursorKind::Wait:
        shape = Qt::WaitCursor;
        break;
    }
    window_->Board()->setCursor(shape);
}

void QtPlatform::ConfineCursor(const RECT& clientRect) {
    // Qt cannot clip the pointer everywhere: while a button is held the board receives every
    // move anyway, and pulls the pointer and the reported position back inside.
    if (window_)
        window_->Board()->Confine(QRect(QPoint(clientRect.left, clientRect.top),
                                        QPoint(clientRect.right - 1, clientRect.bottom - 1)));
}

void QtPlatform::ReleaseCursor() {
    if (window_) window_->Board()->Release();
}

// --- Messages and timers -----------------------------------------------------------------

void QtPlatform::Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
    if (procedure_) procedure_(kMainWindow, message, wParam, lParam);
}

void QtPlatform::Post(UINT message, WPARAM wParam, LPARAM lParam) {
    QMetaObject::invokeMethod(
        this, [this, message, wParam, lParam] { Deliver(message, wParam, lParam); }, Qt::QueuedConnection);
}

void QtPlatform::RequestPaint() {
    if (paintPending_) return;
    paintPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            paintPending_ = false;
            Deliver(WM_PAINT, 0, 0);
        },
        Qt::QueuedConnection);
}

void QtPlatform::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    Post(message, wParam, lParam);
}

bool QtPlatform::SendMessageFromWorker(UINT message, WPARAM wParam, LPARAM lParam, int timeoutMs) {
    if (QThread::currentThread() == thread()) {
        Deliver(message, wParam, lParam);
        return true;
    }
    auto pending = std::make_shared<PendingSend>();
    QMetaObject::invokeMethod(
        this,
        [this, pending, message, wParam, lParam] {
            {
                std::lock_guard<std::mutex> lock(pending->mutex);
                // The sender gave up: what it sent may no longer be valid.
                if (pending->abandoned) return;
            }
            Deliver(message, wParam, lParam);
            std::lock_guard<std::mutex> lock(pending->mutex);
            pending->done = true;
            pending->finished.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(pending->mutex);
    const bool handled = pending->finished.wait_for(lock, std::chrono::milliseconds(std::max(timeoutMs, 0)),
                                                    [&] { return pending->done; });
    if (!handled) pending->abandoned = true;
    return handled;
}

void QtPlatform::SetTimer(int id, int periodMs) {
    QTimer*& timer = timers_[id];
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { Deliver(WM_TIMER, static_cast<WPARAM>(id), 0); });
    }
    timer->start(std::max(periodMs, 1));
}

void QtPlatform::PostQuitMessage(int exitCode) {
    quitPending_ = true;
    quitCode_ = exitCode;
    // Queued, so the message being handled and those posted before it still run.
    QMetaObject::invokeMethod(
        this,
        [this, exitCode] {
            if (mainLoop_) mainLoop_->exit(exitCode);
        },
        Qt::QueuedConnection);
}

int QtPlatform::RunMessageLoop(void (*idle)()) {
    if (quitPending_) {
        // The quit came during start-up: finish what is queued, then end.
        QCoreApplication::sendPostedEvents();
        quitPending_ = false;
        return quitCode_;
    }
    QTimer idleTimer;
    idleTimer.setTimerType(Qt::PreciseTimer);
    if (idle) {
        // A modal dialog runs its own loop; the idle step (the banner) waits for it to close.
        connect(&idleTimer, &QTimer::timeout, this, [idle] {
            if (!QApplication::activeModalWidget()) idle();
        });
        idleTimer.start(kIdlePeriodMs);
        idleTimer_ = &idleTimer;
    }
    QEventLoop loop;
    mainLoop_ = &loop;
    const int code = loop.exec();
    mainLoop_ = nullptr;
    idleTimer_ = nullptr;
    quitPending_ = false;
    return code;
}

void QtPlatform::ScheduleIdle(int delayMs) {
    if (!idleTimer_) return;
    if (delayMs < 0)
        idleTimer_->stop();
    else
        idleTimer_->start(std::max(delayMs, kIdlePeriodMs));
}

// --- Dialogs ---------------------------------------------------------------------------------------

int QtPlatform::MessageBox(const std::string& text, const std::string& caption, UINT style) {
    return ShowMessageBox(window_.get(), text, caption, style);
}

bool QtPlatform::ChooseColour(COLORREF initial, COLORREF& chosen) {
    return ChooseColourDialog(window_.get(), initial, chosen);
}

int QtPlatform::RunOptionsDialog(OptionsDialogData& data) {
    OptionsDialog dialog(window_.get());
    dialog.Load(data);
    if (dialog.exec() != QDialog::Accepted) return IDCANCEL;
    dialog.Store(data);
    return IDOK;
}

int QtPlatform::RunAboutDialog(AboutDialogData& data) {
    AboutDialog dialog(data, window_.get());
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

int QtPlatform::RunClosingDialog(ClosingDialogData& data) {
    ClosingDialog dialog(data, DialogOwner(window_.get()));
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

OwnerWindow QtPlatform::ActiveWindow() {
    OwnerWindow owner;
    if (QWidget* widget = DialogOwner(window_.get())) {
        const QRect frame = widget->frameGeometry();
        owner.frame = RECT{frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
        owner.visible = widget->isVisible();
        owner.minimised = widget->isMinimized();
    }
    return owner;
}

RECT QtPlatform::WorkArea() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (QWidget* owner = DialogOwner(window_.get()); owner && owner->screen()) screen = owner->screen();
    if (!screen) return IPlatform::WorkArea();
    const QRect area = screen->availableGeometry();
    return RECT{area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

// --- Sound and the outside world ---------------------------------------------------------

int QtPlatform::OpenUrl(const std::string& url) {
    const QString text = FromGameText(url).trimmed();
    if (text.isEmpty()) return kNotFound;
    // Addresses come from the puzzle's pack: only web pages and mail, never local programs.
    // The address Qt makes of the text is checked again, so its reading cannot widen the rule.
    if (!IsOpenableAddress(url)) return kAccessDenied;
    const QUrl address = QUrl::fromUserInput(text);
    if (!address.isValid()) return kNotFound;
    if (!IsOpenableAddress(ToGameText(address.toString(QUrl::FullyEncoded)))) return kAccessDenied;
    return urlOpener && urlOpener(address) ? kOpened : kNotFound;
}

// --- Settings store ----------------------------------------------------------------------------

bool QtPlatform::SettingsReadString(const std::string& name, std::string& value) {
    return settings_.ReadString(name, value);
}

bool QtPlatform::SettingsWriteString(const std::string& name, const std::string& value) {
    return settings_.WriteString(name, value);
}

bool QtPlatform::SettingsReadDword(const std::string& name, std::uint32_t& value) {
    return settings_.ReadDword(name, value);
}

bool QtPlatform::SettingsWriteDword(const std::string& name, std::uint32_t value) {
    return settings_.WriteDword(name, value);
}

// --- Preview window -------------------------------------------------------------------------

HWND QtPlatform::CreatePreviewWindow(const std::string& title, int width, int height,
                                     WindowProcedure procedure) {
    previewProcedure_ = procedure;
    if (preview_) return kPreviewWindow;
    if (!window_) return 0;
    preview_ = new PreviewWindow(
        window_.get(),
        [this](UINT message, WPARAM wParam, LPARAM lParam) {
            if (previewProcedure_) previewProcedure_(kPreviewWindow, message, wParam, lParam);
        },
        Screen());
    preview_->setWindowTitle(FromGameText(title));
    preview_->SetOuterSize(width, height);
    return kPreviewWindow;
}

void QtPlatform::ShowPreviewWindow(bool show) {
    if (preview_) preview_->setVisible(show);
}

void QtPlatform::SetPreviewWindowSize(int width, int height) {
    if (preview_) preview_->SetOuterSize(width, height);
}

void QtPlatform::SetPreviewMaximumSize(int width, int height) {
    if (preview_) preview_->SetOuterMaximum(width, height);
}

ClientSize QtPlatform::PreviewClientSize() {
    return preview_ ? preview_->Client() : ClientSize{};
}

void QtPlatform::SetPreviewScrollBar(int bar, bool visible, int maximum, int position) {
    if (preview_) preview_->SetScrollBar(bar, visible, maximum, position);
}

void QtPlatform::InvalidatePreview() {
    if (preview_) preview_->RequestPaint();
}

void QtPlatform::PresentPreview(const FrameView& frame, const FrameView* smoothSource) {
    if (preview_) preview_->ShowFrame(frame, smoothSource);
}
