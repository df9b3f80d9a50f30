// A real published puzzle on the real front end: loaded, a piece dragged with the mouse,
// the game closed again.
#include "QtTestSupport.h"

#include "app/CMainApp.h"
#include "app/GameMain.h"
#include "app/Globals.h"
#include "platform/qt/BoardWidget.h"
#include "platform/qt/MainWindow.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"
#include "support/PublishedPuzzle.h"
#include "support/TempDir.h"

#include <QSettings>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Names of this process's threads, leaving out Qt's shared pool, which keeps idle workers
// for a while after painting. Empty where the system does not list them.
std::vector<std::string> RunThreads() {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it("/proc/self/task", error), end; !error && it != end;
         it.increment(error)) {
        std::string name;
        std::getline(std::ifstream(it->path() / "comm"), name);
        if (name != "Thread (pooled)") names.push_back(name);
    }
    return names;
}

class DragRealPieceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Preferences written at the end go to the scratch folder, not the user's store.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(temp.File("settings")));
        std::filesystem::create_directories(temp.File("state"));
    }

    void TearDown() override {
        GameShutdown();
        platform.reset();
        PumpEvents();
    }

    BoardWidget* Board() const { return platform->Window()->Board(); }

    TempDir temp;
    std::unique_ptr<QtPlatform> platform;
    publish::PublishSummary summary;
};

TEST_F(DragRealPieceTest, APieceDraggedWithTheMouseMovesByTheDragAndIsRedrawn) {
    const std::string published =
        PublishGradient(temp.Str(), 128, 96, "medium", "Harbour", temp.File("Harbour.exe"), &summary).output;

    const std::size_t threadsBefore = RunThreads().size();
    platform = std::make_unique<QtPlatform>();
    platform->SetExecutablePath(published);
    platform->SetTempDirectory(temp.Str() + "state/");
    ASSERT_TRUE(GameStartup(platform.get(), 20240u));
    ASSERT_NE(platform->Window(), nullptr);
    auto title = [this] { return platform->Window()->windowTitle(); };
    ASSERT_TRUE(PumpUntil(
        [&] { return g_puzzle && !g_puzzle->loaderBusy && title().startsWith("Pictorra Vaze - "); }, 30000))
        << "title: " << title().toStdString();
    EXPECT_EQ(title(), "Pictorra Vaze - Harbour");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(platform->Window()));
    ASSERT_TRUE(PumpUntil([this] { return !Board()->Frame().isNull(); }));
    PumpEvents();

    // The loader and its progress reporter are gone once the load has been handled.
    EXPECT_FALSE(g_puzzle->loaderThread.joinable());
    EXPECT_FALSE(g_puzzle->progressThread.joinable());
    ASSERT_EQ(g_puzzle->groups.Size(), static_cast<std::size_t>(summary.cols * summary.rows));

    // The topmost piece goes to an empty corner of the view, clear of the edge-scroll zone
    // and far from any place where it could join.
    const int S = cellSize;
    CPieceGroup* group = g_puzzle->groups.Head();
    const QPoint start(group->reference->x - g_mainApp->scrollX + S,
                       group->reference->y - g_mainApp->scrollY + S);
    const QPoint delta = QPoint(40 + S, 40 + S) - start;
    ASSERT_TRUE(Board()->rect().contains(start));
    ASSERT_GT(std::min(std::abs(delta.x()), std::abs(delta.y())), 3 * S) << "the heap reaches the corner";

    const int scrollX = g_mainApp->scrollX, scrollY = g_mainApp->scrollY;
    const int groupX = group->x, groupY = group->y;
    const std::size_t groupCount = g_puzzle->groups.Size();
    const QImage before = Board()->Frame().copy();

    constexpr int kSteps = 8;
    QTest::mousePress(Board(), Qt::LeftButton, Qt::NoModifier, start);
    EXPECT_TRUE(g_puzzle->selection.Contains(group));
    for (int i = 1; i <= kSteps; ++i) {
        const QPoint step(delta.x() * i / kSteps, delta.y() * i / kSteps);
        QTest::mouseMove(Board(), start + step);
        PumpEvents();
        EXPECT_EQ(std::pair(group->x, group->y), std::pair(groupX + step.x(), groupY + step.y()))
            << "step " << i;
    }
    QTest::mouseRelease(Board(), Qt::LeftButton, Qt::NoModifier, start + delta);
    ASSERT_TRUE(PumpUntil([&] { return Board()->Frame() != before; }));
    PumpEvents();

    EXPECT_EQ(std::pair(group->x, group->y), std::pair(groupX + delta.x(), groupY + delta.y()));
    EXPECT_EQ(g_puzzle->groups.Size(), groupCount) << "nothing joined";
    EXPECT_EQ(std::pair(g_mainApp->scrollX, g_mainApp->scrollY), std::pair(scrollX, scrollY));
    EXPECT_FALSE(Board()->Confinement().has_value()) << "the pointer is free after the drop";

    // The piece's picture is now shown where it was dropped (beside the selection mark).
    const QImage after = Board()->Frame();
    ASSERT_EQ(after.size(), before.size());
    for (const QPoint offset : {QPoint(-S / 4, -S / 4), QPoint(S / 4, -S / 4), QPoint(-S / 4, S / 4)})
        EXPECT_EQ(after.pixel(start + delta + offset), before.pixel(start + offset));
    EXPECT_NE(after.pixel(start + QPoint(-S / 4, -S / 4)), before.pixel(start + QPoint(-S / 4, -S / 4)))
        << "the old place no longer shows the piece";

    GameShutdown();
    EXPECT_TRUE(g_puzzle == nullptr && g_mainApp == nullptr);
    platform.reset();
    // Nothing the run started outlives it.
    if (threadsBefore > 0) {
        EXPECT_TRUE(PumpUntil([&] { return RunThreads().size() <= threadsBefore; }, 3000))
            << RunThreads().size() << " threads, " << threadsBefore << " before the run";
    }
}

} // namespace
