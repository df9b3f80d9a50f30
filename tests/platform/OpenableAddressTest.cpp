#include "platform/OpenableAddress.h"

#include <gtest/gtest.h>

TEST(OpenableAddress, OnlyWebAndMailAddressesAreOpened) {
    for (const char* good : {"http://www.example.com/jigsaw/", "HTTPS://example.com", " https://example.com/a b ",
                             "mailto:author@example.com", "www.example.com", "example.com/page?x=1"})
        EXPECT_TRUE(IsOpenableAddress(good)) << good;
    for (const char* bad : {"", "   ", "file:///bin/sh", "/usr/bin/xterm", "C:\\Windows\\notepad.exe",
                            "javascript:alert(1)", "ftp://example.com/", "http:", "https:/x", "mailto:",
                            "java\tscript:alert(1)", "./run.sh", "~/run.sh", "..\\evil.exe", "localhost",
                            "smb://server/share", "data:text/html,<b>x</b>", "notepad.exe:1"})
        EXPECT_FALSE(IsOpenableAddress(bad)) << bad;
}
