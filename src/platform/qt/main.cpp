// Entry point of the game on desktop platforms.
#include "platform/qt/QtPlatform.h"

#include <QApplication>

#if __has_include("app/GameMain.h")
#include "app/GameMain.h"
#define PICTORRA_HAVE_GAME 1
#else
namespace {
// Until the game is linked in, an empty window that closes when asked.
LRESULT EmptyWindowProcedure(HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE && Platform()) Platform()->PostQuitMessage(0);
    return 0;
}
} // namespace
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Closing a dialog or the preview never ends the run; the game ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    QtPlatform platform;
    SetPlatform(&platform);
#ifdef PICTORRA_HAVE_GAME
    const int code = GameMain(&platform);
#else
    int code = -1;
    if (platform.CreateMainWindow(" ", 800, 600, EmptyWindowProcedure))
        code = platform.RunMessageLoop(nullptr);
#endif
    SetPlatform(nullptr);
    return code;
}
