#include "app/Log.h"
#include "support/PictureFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(Log, EachRunStartsAFreshFileLinesEndWithALineFeedAndAreCut) {
    TempDir dir;
    const std::string path = dir.File("DUVereLog.txt");
    ASSERT_TRUE(LogInit(path));
    LogWrite(0, "first run %d", 1);
    ASSERT_TRUE(LogInit(path));
    LogWrite(0, "CMainApp::UnPackEXE()");
    // A message ending in "\n" still gets its own line feed: an empty line follows.
    LogWrite(0, "Passed\n");
    LogWrite(2, "level %s", "two");
    LogWrite(3, "never written");
    LogWrite(0, "%s", std::string(5000, 'x').c_str());
    const Bytes text = ReadBytes(path);
    EXPECT_EQ(
        std::string(text.begin(), text.end()),
        "Log File Initialised\n**************************\n\nCMainApp::UnPackEXE()\nPassed\n\nlevel two\n" +
            std::string(2047, 'x') + "\n");

    // A log that cannot be created leaves later writes harmless.
    EXPECT_FALSE(LogInit(dir.File("no/such/folder/log.txt")));
    LogWrite(0, "goes nowhere");
    EXPECT_TRUE(FileExists(path));
}
