// The settings store and opening the author's addresses.
#include "QtTestSupport.h"

#include "platform/qt/SettingsStore.h"
#include "support/TempDir.h"

#include <QSettings>
#include <QUrl>

TEST(QtSettingsTest, ValuesSurviveReopeningAndNothingPassesWhileClosed) {
    TempDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(dir.Str()));
    SettingsStore store;
    std::uint32_t value = 5;
    std::string text = "kept";
    EXPECT_FALSE(store.WriteDword("big", 1)) << "not open yet";
    ASSERT_TRUE(store.Open());
    EXPECT_TRUE(store.WriteDword("big", 0xFFFFFFFFu));
    EXPECT_TRUE(store.WriteString("title", "Boats"));
    store.Close();
    EXPECT_FALSE(store.ReadDword("big", value)) << "closed again";
    ASSERT_TRUE(store.Open());
    ASSERT_TRUE(store.ReadDword("big", value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    EXPECT_FALSE(store.ReadDword("title", value)) << "not a number";
    ASSERT_TRUE(store.ReadString("title", text));
    EXPECT_EQ(text, "Boats");
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
