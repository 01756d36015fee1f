#include "orvik/settings.h"

namespace orvik {

QSettings::Format SettingsFormat() {
    return QSettings::IniFormat;
}

// A missing key or a value other than "0"/"1" gives the default.
static bool ReadFlag(QSettings& store, const QString& key, bool fallback) {
    const QString value = store.value(key).toString();
    if (value == u"1") return true;
    if (value == u"0") return false;
    return fallback;
}

static void WriteFlag(QSettings& store, const QString& key, bool value) {
    store.setValue(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

FinderSettings LoadFinderSettings(QSettings& store) {
    const FinderSettings defaults;
    store.beginGroup(QStringLiteral("Settings"));
    FinderSettings settings;
    settings.inFName = ReadFlag(store, QStringLiteral("InFName"), defaults.inFName);
    settings.inArtist = ReadFlag(store, QStringLiteral("InArtist"), defaults.inArtist);
    settings.inTitle = ReadFlag(store, QStringLiteral("InTitle"), defaults.inTitle);
    settings.eachWord = ReadFlag(store, QStringLiteral("EachWord"), defaults.eachWord);
    store.endGroup();
    return settings;
}

void SaveFinderSettings(QSettings& store, const FinderSettings& settings) {
    store.beginGroup(QStringLiteral("Settings"));
    WriteFlag(store, QStringLiteral("InFName"), settings.inFName);
    WriteFlag(store, QStringLiteral("InArtist"), settings.inArtist);
    WriteFlag(store, QStringLiteral("InTitle"), settings.inTitle);
    WriteFlag(store, QStringLiteral("EachWord"), settings.eachWord);
    store.endGroup();
}

}  // namespace orvik
