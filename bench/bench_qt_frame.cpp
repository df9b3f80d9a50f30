// Frames in the real game: the Qt front end (main window, board widget, status bar) running a
// published 2,000-piece puzzle (1600 x 1280, 32-px cells) on a 1920 x 1080 board. A frame is
// timed until its pixels are on the widget: composed, handed to the widget, painted into the
// window's backing store and flushed. Drag frames come from mouse events posted to the board.
//
// Runs offscreen (on a 2560 x 1600 screen) unless DISPLAY is set, then on that X server (use a
// screen larger than the window, e.g. `Xvfb :99 -screen 0 2560x1600x24`). QT_QPA_PLATFORM, when
// set, wins. Usage: pictorra_bench_qt [runs] [frames per run]
#include "app/CMainApp.h"
#include "app/GameMain.h"
#include "app/Globals.h"
#include "display/CDisplay.h"
#include "display/FrameComposition.h"
#include "platform/qt/BoardWidget.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/QtPlatform.h"
#include "play/CMouseController.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"

#include "BenchPuzzle.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QSettings>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kBoardWidth = 1920;
constexpr int kBoardHeight = 1080;
constexpr int kBlockCols = 20; // the dragged group: 20 x 10 pieces
constexpr int kBlockRows = 10;

// Counts the board's paint events and the pixels they cover.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    double pixels = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            const QRect r = static_cast<QPaintEvent*>(event)->rect();
            pixels += static_cast<double>(r.width()) * r.height();
        }
        return false;
    }
};

std::string LoadAverage() {
    std::string line;
    std::getline(std::ifstream("/proc/loadavg"), line);
    return line.substr(0, line.find(' ', line.find(' ', line.find(' ') + 1) + 1));
}

// Runs the event loop until `done` or `ms` have passed.
bool WaitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

int PiecesInView(const QSize& view) {
    int inView = 0;
    for (const auto& piece : g_puzzle->pieces) {
        const int x = piece->x - g_mainApp->scrollX, y = piece->y - g_mainApp->scrollY;
        inView += x > -64 && x < view.width() && y > -64 && y < view.height();
    }
    return inView;
}

struct Sample {
    double totalMs = 0; // per frame, until painted
    double shownMs = 0; // per frame, until the widget has the pixels (compose + copy)
    double cpuMs = 0;   // process CPU per frame
    double painted = 0; // pixels painted per frame
};

struct Row {
    const char* name;
    std::vector<Sample> samples;
};

class Bench {
  public:
    Bench(QtPlatform& platform, PaintCounter& counter) : platform_(platform), counter_(counter) {}

    BoardWidget* Board() const { return platform_.Window()->Board(); }

    // Delivers what is queued and waits for the board's paint. False when none came.
    bool PumpUntilPainted(int paintsBefore) {
        for (int i = 0; i < 1000 && counter_.paints == paintsBefore; ++i)
            QCoreApplication::processEvents();
        return counter_.paints != paintsBefore;
    }

    // `frames` frames of `step`, which returns after the frame was handed to the widget, then
    // waits for the paint unless told there is none.
    Sample Run(int frames, const std::function<void(int)>& step, bool painted = true) {
        Sample sample;
        double shown = 0;
        const double pixels0 = counter_.pixels;
        const std::clock_t cpu0 = std::clock();
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < frames; ++i) {
            const int before = counter_.paints;
            const auto s0 = std::chrono::steady_clock::now();
            step(i);
            shown += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - s0).count();
            if (painted && !PumpUntilPainted(before)) ++missed;
        }
        const double total =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        sample.totalMs = total / frames;
        sample.shownMs = shown / frames;
        sample.painted = (counter_.pixels - pixels0) / frames;
        sample.cpuMs = 1000.0 * static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC / frames;
        return sample;
    }

    void PostMouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QCoreApplication::postEvent(Board(),
                                    new QMouseEvent(type, QPointF(at), Board()->mapToGlobal(QPointF(at)),
                                                    button, held, Qt::NoModifier));
    }

    // Presses on `group` at `at` (client position), moves it `frames` times by a few pixels
    // and releases it where it started.
    Sample Drag(CPieceGroup* group, QPoint at, int frames) {
        PostMouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        QCoreApplication::processEvents();
        if (!g_puzzle->selection.Contains(group) || !g_puzzle->mouse->dragging) {
            std::fprintf(stderr, "the press did not pick the group\n");
            ++missed;
        }
        const Sample sample = Run(frames, [&](int i) {
            const QPoint to = at + QPoint(((i + 1) & 7) * 3, ((i + 1) & 3) * 2);
            PostMouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
            QCoreApplication::sendPostedEvents(Board(), QEvent::MouseMove);
        });
        PostMouse(QEvent::MouseButtonRelease, at + QPoint(1, 1), Qt::LeftButton, Qt::NoButton);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return sample;
    }

    int missed = 0;

  private:
    QtPlatform& platform_;
    PaintCounter& counter_;
};

// Min and median of one column of the samples.
std::pair<double, double> MinMedian(std::vector<Sample> samples, double Sample::*field) {
    std::sort(samples.begin(), samples.end(),
              [field](const Sample& a, const Sample& b) { return a.*field < b.*field; });
    return {samples.front().*field, samples[samples.size() / 2].*field};
}

void PrintTable(const std::vector<Row>& rows) {
    std::printf("%-34s %19s %19s %19s %10s\n", "frame (ms, min / median)", "until painted", "compose + copy",
                "process CPU", "painted px");
    for (const Row& row : rows) {
        const auto total = MinMedian(row.samples, &Sample::totalMs);
        const auto shown = MinMedian(row.samples, &Sample::shownMs);
        const auto cpu = MinMedian(row.samples, &Sample::cpuMs);
        std::printf("%-34s %8.2f / %8.2f %8.2f / %8.2f %8.2f / %8.2f %10.0f\n", row.name, total.first,
                    total.second, shown.first, shown.second, cpu.first, cpu.second,
                    row.samples.front().painted);
    }
}

// A screen large enough for a 1920 x 1080 board with the window's menu, bars and status line.
void ChoosePlatform(const fs::path& dir) {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")) return;
    const fs::path config = dir / "offscreen.json";
    std::ofstream(config)
        << R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 2560, "height": 1600,)"
           R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.string().c_str());
}

} // namespace

int main(int argc, char** argv) {
    const int runs = std::max(argc > 1 ? std::atoi(argv[1]) : 7, 1);
    const int frames = std::max(argc > 2 ? std::atoi(argv[2]) : 100, 1);
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path dir = fs::temp_directory_path() / ("pictorra-bench-qt-" + std::to_string(stamp));
    fs::create_directories(dir / "state");
    struct Cleanup {
        fs::path dir;
        ~Cleanup() {
            std::error_code ignored;
            fs::remove_all(dir, ignored);
        }
    } cleanup{dir};
    ChoosePlatform(dir);

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString((dir / "settings").string()));
    const std::string published = PublishRampPuzzle(dir, 1600, 1280, "medium", RampFormat::Bmp);
    if (published.empty()) return 1;

    int code = 0;
    {
        QtPlatform platform;
        platform.SetExecutablePath(published);
        platform.SetTempDirectory((dir / "state").string() + "/");
        if (!GameStartup(&platform, 4242u)) {
            std::fprintf(stderr, "the game did not start\n");
            return 1;
        }
        MainWindow* window = platform.Window();
        BoardWidget* board = window->Board();
        // The board at 1920 x 1080 before the loaded pieces are scattered over the view.
        window->showNormal();
        WaitFor([&] { return board->isVisible(); }, 5000);
        window->resize(window->size() + (QSize(kBoardWidth, kBoardHeight) - board->size()));
        WaitFor([&] { return board->size() == QSize(kBoardWidth, kBoardHeight); }, 5000);
        if (!WaitFor([&] { return g_puzzle && !g_puzzle->loaderBusy && !board->Frame().isNull(); }, 120000) ||
            g_puzzle->pieces.size() != 2000) {
            std::fprintf(stderr, "the puzzle did not load\n");
            GameShutdown();
            return 1;
        }
        WaitFor([] { return false; }, 300);

        PaintCounter counter;
        board->installEventFilter(&counter);
        Bench bench(platform, counter);
        const QSize view = board->size();
        const int S = cellSize;

        // A loose piece and a 20 x 10 block joined into one group, both on top in mid view.
        CPieceGroup* single = g_puzzle->PieceAt(0, 0)->group;
        CPieceGroup* block = g_puzzle->PieceAt(15, 15)->group;
        for (int r = 0; r < kBlockRows; ++r)
            for (int c = 0; c < kBlockCols; ++c) {
                CPieceGroup* own = g_puzzle->PieceAt(15 + c, 15 + r)->group;
                if (own != block) own->MergeInto(block);
            }
        block->PlaceAt(g_mainApp->scrollX + 500, g_mainApp->scrollY + 300);
        single->PlaceAt(g_mainApp->scrollX + 1400, g_mainApp->scrollY + 500);
        g_puzzle->AddToSelection(block, true);
        g_puzzle->AddToSelection(single, true);
        g_puzzle->ClearSelection();
        g_mainApp->Render();
        WaitFor([] { return false; }, 100);
        auto grip = [&](CPieceGroup* group) {
            return QPoint(group->reference->x - g_mainApp->scrollX + S,
                          group->reference->y - g_mainApp->scrollY + S);
        };

        std::printf("platform %s, board %d x %d, frame image %d x %d (format %d), device pixel ratio %.2f\n",
                    qPrintable(QGuiApplication::platformName()), view.width(), view.height(),
                    board->Frame().width(), board->Frame().height(),
                    static_cast<int>(board->Frame().format()), board->devicePixelRatioF());
        std::printf("%d pieces, %d in view; block of %zu pieces; %d runs of %d frames; load %s\n",
                    static_cast<int>(g_puzzle->pieces.size()), PiecesInView(view), block->pieces.Size(), runs,
                    frames, LoadAverage().c_str());

        std::vector<Row> rows{{"composing alone (no present)", {}},
                              {"present alone (frame to the widget)", {}},
                              {"paint alone (repaint of the board)", {}},
                              {"full frame (Render + paint)", {}},
                              {"drag one piece", {}},
                              {"drag a 200-piece group", {}}};
        for (int run = 0; run < runs; ++run) {
            const POINT scroll{g_mainApp->scrollX, g_mainApp->scrollY};
            // Composed the way a whole frame is: only what the board shows.
            const RECT shown{0, 0, view.width(), view.height()};
            rows[0].samples.push_back(bench.Run(
                frames,
                [&](int) {
                    g_display->SetClip(&shown);
                    ComposeFrame(*g_display, g_puzzle, g_mainApp->backgroundPixel, scroll);
                    g_display->SetClip(nullptr);
                },
                false));
            rows[1].samples.push_back(bench.Run(
                frames, [](int) { g_display->ShowBackBuffer(); }, false));
            rows[2].samples.push_back(bench.Run(
                frames, [board](int) { board->repaint(); }, false));
            rows[3].samples.push_back(bench.Run(frames, [](int) { g_mainApp->Render(); }));
            rows[4].samples.push_back(bench.Drag(single, grip(single), frames));
            rows[5].samples.push_back(bench.Drag(block, grip(block), frames));
        }
        PrintTable(rows);
        std::printf("load after: %s\n", LoadAverage().c_str());
        if (bench.missed) {
            std::fprintf(stderr, "%d frames or presses went wrong\n", bench.missed);
            code = 1;
        }
        board->removeEventFilter(&counter);
        GameShutdown();
    }
    return code;
}
