#include "orvik/settings.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "testfiles.h"

using namespace orvik;
using namespace Qt::StringLiterals;

TEST(OrvikSettings, DefaultsRoundTripAndStoredForm) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"Orvikan.ini"_s);
    {
        QSettings store(ini, SettingsFormat());
        const FinderSettings loaded = LoadFinderSettings(store);
        EXPECT_TRUE(loaded.inFName);
        EXPECT_FALSE(loaded.inArtist);
        EXPECT_FALSE(loaded.inTitle);
        EXPECT_TRUE(loaded.eachWord);
        SaveFinderSettings(store, {false, true, true, false});
    }
    const QByteArray text = testfiles::ReadBytes(ini);
    EXPECT_TRUE(text.contains("[Settings]"));
    EXPECT_TRUE(text.contains("InFName=0"));
    EXPECT_TRUE(text.contains("InArtist=1"));
    EXPECT_TRUE(text.contains("EachWord=0"));
    QSettings store(ini, SettingsFormat());
    const FinderSettings loaded = LoadFinderSettings(store);
    EXPECT_FALSE(loaded.inFName);
    EXPECT_TRUE(loaded.inArtist);
    EXPECT_TRUE(loaded.inTitle);
    EXPECT_FALSE(loaded.eachWord);
}

TEST(OrvikSettings, UnknownValuesGiveDefaults) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"Orvikan.ini"_s);
    testfiles::WriteBytes(ini, "[Settings]\nInFName=yes\nInArtist=2\nEachWord=\n");
    QSettings store(ini, SettingsFormat());
    const FinderSettings loaded = LoadFinderSettings(store);
    EXPECT_TRUE(loaded.inFName);
    EXPECT_FALSE(loaded.inArtist);
    EXPECT_TRUE(loaded.eachWord);
}
