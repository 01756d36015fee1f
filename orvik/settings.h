#pragma once
// The four check boxes, kept in the per-user store of "Orvikan", section "Settings", as "0"/"1".
#include <QSettings>

namespace orvik {

struct FinderSettings {
    bool inFName = true;
    bool inArtist = false;
    bool inTitle = false;
    bool eachWord = true;
};

// The user's store: an INI file per user (~/.config/Orvikan/Orvikan.ini on Linux).
QSettings::Format SettingsFormat();
FinderSettings LoadFinderSettings(QSettings& store);
void SaveFinderSettings(QSettings& store, const FinderSettings& settings);

}  // namespace orvik
