// A real published puzzle on the real front end: loaded, a piece dragged with the mouse,
// the game closed again.
#include "QtTestSupport.h"

#include "app/CMainApp.h"
#include "app/GameMain.h"
#include "app/Globals.h"
#include "imaging/BmpCodec.h"
#include "imaging/DecodedImage.h"
#include "platform/qt/BoardWidget.h"
#include "platform/qt/MainWindow.h"
#include "play/CPiece.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"
#include "support/TempDir.h"

#include "Publisher.h"

#include <QSettings>
#include <QTest>

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

// A picture whose colour changes in every pixel, so a moved piece can be recognised.
DecodedImage Gradient(int w, int h) {
    DecodedImage image;
    image.width = w;
    image.height = h;
    image.pixels.resize(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.pixels[static_cast<std::size_t>(y) * w + x] =
                static_cast<std::uint32_t>((x * 255 / w) << 16 | (y * 255 / h) << 8 | 0x40);
    return image;
}

class DragRealPieceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureTestApp();
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

    // Publishes a w x h picture onto a stand-in program and returns the published file.
    std::string Publish(int w, int h) {
        const std::string program = temp.File("game-program");
        std::ofstream(program, std::ios::binary) << std::string(4096, 'P');
        const std::string picture = temp.File("picture.bmp");
        EXPECT_TRUE(WriteBmpFile(picture, Gradient(w, h)));
        publish::PublishRequest request;
        request.gameProgram = program;
        request.picturePath = picture;
        request.cutName = "medium";
        request.title = "Harbour";
        request.output = temp.File("Harbour.exe");
        std::string error;
        EXPECT_TRUE(publish::Publisher::Publish(request, &summary, &error)) << error;
        return request.output;
    }

    BoardWidget* Board() const { return platform->Window()->Board(); }

    TempDir temp;
    std::unique_ptr<QtPlatform> platform;
    publish::PublishSummary summary;
};

TEST_F(DragRealPieceTest, APieceDraggedWithTheMouseMovesByTheDragAndIsRedrawn) {
    const std::string published = Publish(128, 96);
    ASSERT_GT(summary.cols * summary.rows, 1);

    const std::size_t threadsBefore = RunThreads().size();
    platform = std::make_unique<QtPlatform>();
    platform->SetExecutablePath(published);
    platform->SetTempDirectory(temp.Str() + "state/");
    ASSERT_TRUE(GameStartup(platform.get(), 20240u));
    ASSERT_NE(platform->Window(), nullptr);
    ASSERT_TRUE(PumpUntil(
        [] {
            return g_puzzle && !g_puzzle->loaderBusy &&
                   Platform()->WindowText().rfind("Pictorra Vaze - ", 0) == 0;
        },
        30000))
        << "title: " << platform->WindowText();
    EXPECT_EQ(platform->WindowText(), "Pictorra Vaze - Harbour");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(platform->Window()));
    ASSERT_TRUE(PumpUntil([this] { return !Board()->Frame().isNull(); }));
    PumpEvents();

    // The loader and its progress reporter are gone once the load has been handled.
    EXPECT_FALSE(g_puzzle->loaderThread.joinable());
    EXPECT_FALSE(g_puzzle->progressThread.joinable());
    ASSERT_EQ(g_puzzle->groups.Size(), static_cast<std::size_t>(summary.cols * summary.rows));

    const int S = cellSize;
    const int viewW = Board()->width();
    const int viewH = Board()->height();
    const int margin = 40; // clear of the edge-scroll zone
    auto inView = [&](QPoint p) {
        return p.x() >= margin && p.y() >= margin && p.x() < viewW - margin && p.y() < viewH - margin;
    };
    auto viewPoint = [&](const CPiece* piece) {
        return QPoint(piece->x - g_mainApp->scrollX + S, piece->y - g_mainApp->scrollY + S);
    };
    // The topmost group under a board point.
    auto topGroupAt = [](int bx, int by) -> CPieceGroup* {
        for (CPieceGroup* group : g_puzzle->groups)
            if (group->HitTest(bx, by)) return group;
        return nullptr;
    };
    // A drop point with no other piece within reach, so nothing joins.
    auto clearOfOthers = [&](const CPieceGroup* moving, QPoint delta) {
        for (const CPieceGroup* group : g_puzzle->groups) {
            if (group == moving) continue;
            for (const CPiece* other : group->pieces)
                for (const CPiece* mine : moving->pieces)
                    if (std::abs(other->x - (mine->x + delta.x())) < 3 * S &&
                        std::abs(other->y - (mine->y + delta.y())) < 3 * S)
                        return false;
        }
        return true;
    };

    const QPoint deltas[] = {{-170, -110}, {170, -110}, {-170, 110}, {170, 110},
                             {-230, 0},    {230, 0},    {0, -160},   {0, 160}};
    CPieceGroup* group = nullptr;
    QPoint start, delta;
    for (CPieceGroup* candidate : g_puzzle->groups) {
        const QPoint p = viewPoint(candidate->reference);
        if (!inView(p) || topGroupAt(p.x() + g_mainApp->scrollX, p.y() + g_mainApp->scrollY) != candidate)
            continue;
        for (const QPoint& d : deltas) {
            if (inView(p + d) && clearOfOthers(candidate, d)) {
                group = candidate, start = p, delta = d;
                break;
            }
        }
        if (group) break;
    }
    ASSERT_NE(group, nullptr) << "no piece in view with room to move";

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
        EXPECT_EQ(group->x, groupX + step.x()) << "step " << i;
        EXPECT_EQ(group->y, groupY + step.y()) << "step " << i;
    }
    QTest::mouseRelease(Board(), Qt::LeftButton, Qt::NoModifier, start + delta);
    ASSERT_TRUE(PumpUntil([&] { return Board()->Frame() != before; }));
    PumpEvents();

    EXPECT_EQ(group->x, groupX + delta.x());
    EXPECT_EQ(group->y, groupY + delta.y());
    EXPECT_EQ(g_puzzle->groups.Size(), groupCount) << "nothing joined";
    EXPECT_EQ(g_mainApp->scrollX, scrollX);
    EXPECT_EQ(g_mainApp->scrollY, scrollY);
    EXPECT_FALSE(Board()->Confinement().has_value()) << "the pointer is free after the drop";

    // The piece's picture is now shown where it was dropped (beside the selection mark).
    const QImage after = Board()->Frame();
    ASSERT_EQ(after.size(), before.size());
    for (const QPoint offset : {QPoint(-S / 4, -S / 4), QPoint(S / 4, -S / 4), QPoint(-S / 4, S / 4)}) {
        EXPECT_EQ(after.pixel(start + delta + offset), before.pixel(start + offset));
    }
    EXPECT_NE(after.pixel(start + QPoint(-S / 4, -S / 4)), before.pixel(start + QPoint(-S / 4, -S / 4)))
        << "the old place no longer shows the piece";

    GameShutdown();
    EXPECT_EQ(g_puzzle, nullptr);
    EXPECT_EQ(g_mainApp, nullptr);
    platform.reset();
    // Nothing the run started outlives it.
    if (threadsBefore > 0) {
        EXPECT_TRUE(PumpUntil([&] { return RunThreads().size() <= threadsBefore; }, 3000))
            << RunThreads().size() << " threads, " << threadsBefore << " before the run";
    }
}

} // namespace
