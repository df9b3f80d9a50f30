// A real published puzzle on the real front end: loaded, a piece dragged with the mouse, closed.
#include "QtTestSupport.h"

#include "app/CMainApp.h"
#include "app/GameMain.h"
#include "app/Globals.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"
#include "support/PublishedPuzzle.h"
#include "support/TempDir.h"

#include <QSettings>

#include <filesystem>
#include <fstream>

namespace {
// This process's threads, leaving out Qt's pool, which keeps idle workers for a while.
std::size_t ThreadCount() {
    std::size_t count = 0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        std::string name;
        count += std::getline(std::ifstream(task.path() / "comm"), name) && name != "Thread (pooled)";
    }
    return count;
}
} // namespace

TEST(DragRealPieceTest, APieceDraggedWithTheMouseMovesByTheDragAndIsRedrawn) {
    TempDir temp;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(temp.File("settings"))); // not the user's store
    std::filesystem::create_directories(temp.File("state"));
    publish::PublishSummary summary;
    const std::string published =
        PublishGradient(temp.Str(), 128, 96, "medium", "Harbour", temp.File("Harbour.exe"), &summary).output;

    const std::size_t threadsBefore = ThreadCount();
    auto platform = std::make_unique<QtPlatform>();
    platform->SetExecutablePath(published);
    platform->SetTempDirectory(temp.Str() + "state/");
    ASSERT_TRUE(GameStartup(platform.get(), 20240u));
    BoardWidget* board = platform->Window()->Board();
    auto title = [&] { return platform->Window()->windowTitle(); };
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return g_puzzle && !g_puzzle->loaderBusy && title().startsWith("Pictorra Vaze - "); }, 30000))
        << "title: " << title().toStdString();
    EXPECT_EQ(title(), "Pictorra Vaze - Harbour");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(platform->Window()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !board->Frame().isNull(); }));
    PumpEvents();

    // The loader and its progress reporter are gone once the load has been handled.
    EXPECT_FALSE(g_puzzle->loaderThread.joinable() || g_puzzle->progressThread.joinable());
    ASSERT_EQ(g_puzzle->groups.Size(), static_cast<std::size_t>(summary.cols * summary.rows));

    // The topmost piece goes to an empty corner, clear of the edge-scroll zone and of any join.
    const int S = cellSize;
    CPieceGroup* group = g_puzzle->groups.Head();
    const QPoint start(group->reference->x - g_mainApp->scrollX + S,
                       group->reference->y - g_mainApp->scrollY + S);
    const QPoint delta = QPoint(40 + S, 40 + S) - start;
    ASSERT_TRUE(board->rect().contains(start));
    ASSERT_GT(std::min(std::abs(delta.x()), std::abs(delta.y())), 3 * S) << "the heap reaches the corner";
    // The view stays and the group follows the pointer: its place less the drag is unchanged.
    auto place = [&](QPoint by) {
        return std::tuple(g_mainApp->scrollX, g_mainApp->scrollY, group->x - by.x(), group->y - by.y(),
                          g_puzzle->groups.Size());
    };
    const auto before = place({});
    const QImage shown = board->Frame().copy();

    QTest::mousePress(board, Qt::LeftButton, Qt::NoModifier, start);
    EXPECT_TRUE(g_puzzle->selection.Contains(group));
    for (int i = 1; i <= 8; ++i) {
        const QPoint step = delta * i / 8;
        QTest::mouseMove(board, start + step);
        PumpEvents();
        EXPECT_EQ(place(step), before) << "step " << i;
    }
    QTest::mouseRelease(board, Qt::LeftButton, Qt::NoModifier, start + delta);
    ASSERT_TRUE(QTest::qWaitFor([&] { return board->Frame() != shown; }));
    PumpEvents();
    EXPECT_EQ(place(delta), before) << "nothing joined";
    EXPECT_FALSE(board->Confinement().has_value()) << "the pointer is free after the drop";

    // The piece's picture is now shown where it was dropped (beside the selection mark).
    const QImage after = board->Frame();
    ASSERT_EQ(after.size(), shown.size());
    for (const QPoint offset : {QPoint(-S / 4, -S / 4), QPoint(S / 4, -S / 4), QPoint(-S / 4, S / 4)})
        EXPECT_EQ(after.pixel(start + delta + offset), shown.pixel(start + offset));
    EXPECT_NE(after.pixel(start - QPoint(S / 4, S / 4)), shown.pixel(start - QPoint(S / 4, S / 4)))
        << "the old place no longer shows the piece";

    GameShutdown();
    EXPECT_TRUE(g_puzzle == nullptr && g_mainApp == nullptr);
    platform.reset();
    if (threadsBefore > 0) { // nothing the run started outlives it
        EXPECT_TRUE(QTest::qWaitFor([&] { return ThreadCount() <= threadsBefore; }, 3000));
    }
}
