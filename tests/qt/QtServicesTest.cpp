// The settings store and opening the author's addresses.
#include "QtTestSupport.h"

#include "platform/qt/SettingsStore.h"
#include "support/TempDir.h"

#include <QSettings>
#include <QUrl>

TEST(QtSettingsTest, ValuesSurviveClosingAndReopeningAndNothingPassesWhileClosed) {
    TempDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(dir.Str()));
    {
        SettingsStore store;
        EXPECT_FALSE(store.WriteDword("bkcolour", 1)) << "not open yet";
        EXPECT_FALSE(store.WriteString("lastpuzzle", "x"));
        ASSERT_TRUE(store.Open());
        EXPECT_TRUE(store.WriteDword("big", 0xFFFFFFFFu));
        EXPECT_TRUE(store.WriteString("lastpuzzle", "Boats"));
        store.Close();
        std::uint32_t value = 5;
        EXPECT_FALSE(store.ReadDword("big", &value)) << "closed again";
    }
    SettingsStore store;
    ASSERT_TRUE(store.Open());
    std::uint32_t value = 0;
    ASSERT_TRUE(store.ReadDword("big", &value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    std::string text;
    ASSERT_TRUE(store.ReadString("lastpuzzle", &text));
    EXPECT_EQ(text, "Boats");

    value = 77;
    EXPECT_FALSE(store.ReadDword("missing", &value));
    EXPECT_FALSE(store.ReadDword("lastpuzzle", &value)); // not a number
    EXPECT_EQ(value, 77u);
    EXPECT_FALSE(store.ReadString("missing", &text));
    EXPECT_EQ(text, "Boats");
    EXPECT_FALSE(store.ReadDword("big", nullptr));
}

TEST_F(QtWindowTest, OnlyWebAndMailAddressesAreOpened) {
    std::vector<QUrl> opened;
    platform->urlOpener = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    for (const char* good :
         {"http://www.example.com/jigsaw/", "www.example.com", "mailto:author@example.com"})
        EXPECT_GT(platform->OpenUrl(good), 32) << good;
    for (const char* bad : {"file:///bin/sh", "/usr/bin/xterm", "javascript:alert(1)", ""})
        EXPECT_LE(platform->OpenUrl(bad), 32) << bad;
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[1].scheme(), "http");

    platform->urlOpener = [](const QUrl&) { return false; }; // no browser
    EXPECT_LE(platform->OpenUrl("https://example.com/"), 32);
}
