#include "app/Log.h"
#include "PackTestFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kHeader = "Log File Initialised\n**************************\n\n";

TEST(Log, EachRunStartsAFreshFileAndEveryLineEndsWithALineFeed) {
    TempDir dir;
    const std::string path = dir.File("DUVereLog.txt");
    ASSERT_TRUE(LogInit(path));
    LogWrite(0, "first run %d", 1);
    ASSERT_TRUE(LogInit(path));
    LogWrite(0, "CMainApp::UnPackEXE()");
    LogWrite(0, "Passed\n");
    LogWrite(2, "level %s", "two");
    LogWrite(3, "never written");
    EXPECT_EQ(ReadText(path), kHeader + "CMainApp::UnPackEXE()\nPassed\n\nlevel two\n");
}

TEST(Log, OverlongLinesAreCutAndAMissingLogIsSilent) {
    TempDir dir;
    const std::string path = dir.File("DUVereLog.txt");
    ASSERT_TRUE(LogInit(path));
    const std::string longText(5000, 'x');
    LogWrite(0, "%s", longText.c_str());
    EXPECT_EQ(ReadText(path), kHeader + std::string(2047, 'x') + "\n");

    // A log that cannot be created leaves later writes harmless.
    EXPECT_FALSE(LogInit(dir.File("no/such/folder/log.txt")));
    LogWrite(0, "goes nowhere");
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(FileExists(dir.File("absent")));
}

} // namespace
